#include "TarnKit/UI/Buttons/TarnFeedbackButton.h"

#include <QTest>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingUrlOpener.h"

namespace tarn {
namespace {

struct FeedbackWorld {
    std::shared_ptr<RecordingUrlOpener> opener = std::make_shared<RecordingUrlOpener>();
    TarnFeedbackService service {{[](std::string_view) { return std::optional<std::string> {}; }, nullptr, opener,
        nullptr, "Linux 6.1.0 (x86_64)"}};
};

TEST(TarnFeedbackButton, OpensTheLocalizedPageOfItsValues)
{
    struct Case {
        TarnLanguage language;
        TarnFeedbackButtonStyle style;
        std::optional<std::string> baseURL;
        std::string expected;
    };
    const std::string query
        = "?type=feature&source=desktop_app&os=Linux%206.1.0%20(x86_64)&app=tarninput&version=1.4.0";
    const std::vector<Case> cases {
        {TarnLanguage::en, TarnFeedbackButtonStyle::compactIcon, std::nullopt,
            "https://harrowfen.com/en/feedback" + query},
        {TarnLanguage::tr, TarnFeedbackButtonStyle::labeledPill, std::nullopt,
            "https://harrowfen.com/tr/geri-bildirim" + query},
        {TarnLanguage::en, TarnFeedbackButtonStyle::labeledPill, "   ", "https://harrowfen.com/en/feedback" + query},
        {TarnLanguage::tr, TarnFeedbackButtonStyle::compactIcon, "http://127.0.0.1:5000/",
            "http://127.0.0.1:5000/tr/geri-bildirim" + query},
    };
    for (const auto& c : cases) {
        FeedbackWorld world;
        TarnFeedbackButton button("TarnInput", {"1.4.0", "57"}, TarnFeedbackKind::feature, c.language, c.style,
            c.baseURL, nullptr, &world.service);
        button.resize(button.sizeHint());
        QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
        ASSERT_EQ(world.opener->opened().size(), 1U) << c.expected;
        EXPECT_EQ(world.opener->opened()[0], c.expected);
    }
}

TEST(TarnFeedbackButton, AnAddressThatCannotBeBuiltOpensNothing)
{
    FeedbackWorld world;
    TarnFeedbackButton button("TarnInput", {"1.4.0", "57"}, TarnFeedbackKind::bug, TarnLanguage::en,
        TarnFeedbackButtonStyle::labeledPill, "not an address", nullptr, &world.service);
    button.click();
    EXPECT_TRUE(world.opener->opened().empty());
}

TEST(TarnFeedbackButton, LooksDifferOnlyInLabelAndAccessibleName)
{
    FeedbackWorld world;
    const auto make = [&](TarnLanguage language, TarnFeedbackButtonStyle style) {
        return std::make_unique<TarnFeedbackButton>("TarnInput", TarnAppVersion {"1.0.0", "1"},
            TarnFeedbackKind::feature, language, style, std::nullopt, nullptr, &world.service);
    };
    const auto pillTR = make(TarnLanguage::tr, TarnFeedbackButtonStyle::labeledPill);
    EXPECT_EQ(pillTR->text(), QStringLiteral("Geri Bildirim & Fikir Gönder"));
    EXPECT_EQ(pillTR->toolTip(), QStringLiteral("Sizi dinliyoruz — Hata bildir veya fikir paylaş"));
    const auto pillEN = make(TarnLanguage::en, TarnFeedbackButtonStyle::labeledPill);
    EXPECT_EQ(pillEN->text(), QStringLiteral("Send Feedback & Ideas"));
    const auto compact = make(TarnLanguage::en, TarnFeedbackButtonStyle::compactIcon);
    EXPECT_TRUE(compact->text().isEmpty());
    EXPECT_EQ(compact->toolTip(), QStringLiteral("Listening to you — Report a bug or share an idea"));
    EXPECT_EQ(compact->accessibleName(), compact->toolTip());
    // The capsule is the padded symbol; the pill is wider, for its label.
    EXPECT_LT(compact->sizeHint().width(), pillEN->sizeHint().width());
    EXPECT_GE(compact->sizeHint().height(), 6);
}

} // namespace
} // namespace tarn
