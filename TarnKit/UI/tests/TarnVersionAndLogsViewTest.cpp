#include "TarnKit/UI/Version/TarnVersionAndLogsView.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "TarnKit/UI/Buttons/TarnFeedbackButton.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Text/TarnSymbolLabel.h"
#include "TarnKit/UI/Text/TarnWrappingText.h"
#include "TarnKit/UI/Version/TarnVersionBadge.h"
#include "TarnKit/UI/Version/TarnVersionBadgeButton.h"
#include "TarnKit/UI/tests/VersionSheetFit.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

class VersionSheetTest : public ::testing::Test {
protected:
    VersionSheetTest()
    {
        TarnAppLogger::Services services;
        services.clock = &m_clock;
        services.errorOutput = [](std::string_view) {};
        logger = std::make_unique<TarnAppLogger>(
            "TarnInput", m_folder.path() / "logs", 1 << 22, 5,
            [] {
                return TarnAppVersion {"1.4.0", "57"};
            },
            std::move(services));
    }

    void writeEntries(int count, TarnLogLevel level, std::string_view category = "tap")
    {
        for (int i = 0; i < count; ++i) {
            logger->log(level, category, "entry " + std::to_string(i));
            m_clock.advance(std::chrono::milliseconds(5));
        }
    }

    std::unique_ptr<TarnVersionAndLogsView> makeView(TarnLanguage language = TarnLanguage::en,
        std::vector<TarnReleaseLogRecord> fallbacks = {}, std::vector<TarnReleaseLogRecord> shipped = {})
    {
        TarnVersionSheetServices services;
        services.revealLogFolder = [this] { ++revealed; };
        services.loadReleases = [shipped](std::string_view) { return shipped; };
        services.feedback = &feedback;
        auto view = std::make_unique<TarnVersionAndLogsView>(
            "TarnInput", TarnAppVersion {"1.4.0", "57"}, *logger, TarnProductPalette::deepAbyss, language,
            std::move(fallbacks), [this] { ++closed; }, services);
        view->resize(760, 600);
        view->show();
        return view;
    }

    template <typename T = QWidget> static T* child(const QWidget& parent, const char* name)
    {
        return parent.findChild<T*>(QString::fromLatin1(name));
    }

    static QStringList texts(const QWidget& parent, const char* name)
    {
        QStringList result;
        for (const QLabel* label : parent.findChildren<QLabel*>(QString::fromLatin1(name))) {
            result << label->text();
        }
        for (const TarnWrappingText* text : parent.findChildren<TarnWrappingText*>(QString::fromLatin1(name))) {
            result << text->text();
        }
        return result;
    }

    TemporaryFolder m_folder;
    FakeClock m_clock;
    std::unique_ptr<TarnAppLogger> logger;
    std::shared_ptr<RecordingUrlOpener> opener = std::make_shared<RecordingUrlOpener>();
    TarnFeedbackService feedback {{[](std::string_view) { return std::optional<std::string> {}; }, nullptr, opener,
        nullptr, "Linux 6.1.0 (x86_64)"}};
    int revealed = 0;
    int closed = 0;
};

TEST_F(VersionSheetTest, FilterShowsMatchingRowsAndCopyExportsTheSameLevel)
{
    writeEntries(260, TarnLogLevel::debug);
    writeEntries(3, TarnLogLevel::error, "macro");
    auto view = makeView();
    EXPECT_EQ(view->findChildren<QWidget*>(QStringLiteral("logRow")).size(), 120);

    QTest::mouseClick(child(*view, "logLevel_error"), Qt::LeftButton);
    EXPECT_EQ(view->selectedMinLevel(), TarnLogLevel::error);
    EXPECT_EQ(texts(*view, "logLevel"), QStringList({"ERROR", "ERROR", "ERROR"}));
    EXPECT_EQ(texts(*view, "logCategory"), QStringList({"[macro]", "[macro]", "[macro]"}));
    EXPECT_EQ(texts(*view, "logMessage").first(), QStringLiteral("entry 2")) << "newest first";

    auto* copy = child<TarnGlassButton>(*view, "copyLogsButton");
    EXPECT_EQ(copy->text(), QStringLiteral("Copy"));
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), logger->exportPlainText(250, TarnLogLevel::error));
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(QLatin1Char('\n')), 2);
    EXPECT_EQ(copy->text(), QStringLiteral("Copied"));

    // Back to all levels: the list shows 120, the copy carries 250 lines.
    QTest::mouseClick(child(*view, "logLevel_debug"), Qt::LeftButton);
    EXPECT_EQ(view->entries().size(), 120U);
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text().split(QLatin1Char('\n')).size(), 250);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith(QStringLiteral("[macro] entry 2")));
    EXPECT_EQ(copy->text(), QStringLiteral("Copied")) << "the label stays after further copies";
}

TEST_F(VersionSheetTest, RefreshFollowsNewWritesAndClearShowsTheEmptyText)
{
    writeEntries(2, TarnLogLevel::warn);
    auto view = makeView();
    EXPECT_EQ(view->entries().size(), 2U);
    writeEntries(1, TarnLogLevel::info);
    EXPECT_EQ(view->entries().size(), 2U) << "the sheet does not follow writes on its own";
    QTest::mouseClick(child(*view, "refreshLogsButton"), Qt::LeftButton);
    EXPECT_EQ(view->entries().size(), 3U);
    EXPECT_EQ(child(*view, "logEmptyText"), nullptr);

    QTest::mouseClick(child(*view, "clearLogsButton"), Qt::LeftButton);
    EXPECT_TRUE(view->entries().empty());
    EXPECT_FALSE(std::filesystem::exists(logger->currentLogFile()));
    ASSERT_NE(child<QLabel>(*view, "logEmptyText"), nullptr);
    EXPECT_EQ(
        child<QLabel>(*view, "logEmptyText")->text(), QStringLiteral("No runtime log entries match the filter yet."));

    QTest::mouseClick(child(*view, "revealLogsButton"), Qt::LeftButton);
    EXPECT_EQ(revealed, 1);
}

TEST_F(VersionSheetTest, ReleasesFallBackOnlyWhenNoneAreShipped)
{
    TarnReleaseLogRecord shipped;
    shipped.toVersion = "1.4.0";
    shipped.toBuild = 57;
    shipped.timestamp = "2026-12-01T10:00:00Z";
    TarnReleaseLogRecord fallback = shipped;
    fallback.toVersion = "0.9.0";

    auto none = makeView();
    EXPECT_TRUE(none->releases().empty());
    ASSERT_NE(child<QLabel>(*none, "releaseEmptyText"), nullptr);
    EXPECT_EQ(child<QLabel>(*none, "releaseEmptyText")->text(),
        QStringLiteral("No release log records found for this build."));

    auto fallbacks = makeView(TarnLanguage::en, {fallback});
    ASSERT_EQ(fallbacks->releases().size(), 1U);
    EXPECT_EQ(fallbacks->releases()[0].toVersion, "0.9.0");

    auto both = makeView(TarnLanguage::en, {fallback}, {shipped});
    ASSERT_EQ(both->releases().size(), 1U);
    EXPECT_EQ(both->releases()[0].toVersion, "1.4.0");
    EXPECT_EQ(both->findChildren<QWidget*>(QStringLiteral("releaseBlock")).size(), 1);
}

TEST_F(VersionSheetTest, HeaderAndGroundOnlyWithACloseActionAndEscapeCloses)
{
    auto view = makeView(TarnLanguage::tr);
    EXPECT_NE(child(*view, "groundBackground"), nullptr);
    EXPECT_EQ(child<QLabel>(*view, "sheetTitle")->text(), QStringLiteral("TarnInput · Sürüm & Loglar"));
    EXPECT_EQ(child<QAbstractButton>(*view, "copyLogsButton")->text(), QStringLiteral("Kopyala"));
    EXPECT_EQ(child<QAbstractButton>(*view, "logLevel_debug")->text(), QStringLiteral("Tümü"));
    EXPECT_EQ(child<QAbstractButton>(*view, "feedbackButton")->text(), QStringLiteral("Geri Bildirim & Fikir Gönder"));
    QTest::mouseClick(child(*view, "closeButton"), Qt::LeftButton);
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    QTest::keyClick(child(*view, "logLevel_info"), Qt::Key_Escape);
    EXPECT_EQ(closed, 2);

    TarnVersionAndLogsView bare(
        "TarnInput", {"1.4.0", "57"}, *logger, TarnProductPalette::deepAbyss, TarnLanguage::en, {}, nullptr);
    EXPECT_FALSE(bare.hasHeader());
    EXPECT_EQ(child(bare, "groundBackground"), nullptr);
    EXPECT_EQ(child(bare, "sheetHeader"), nullptr);
}

TEST_F(VersionSheetTest, ShowsAllOfItselfAtItsMinimumWidthInEveryLanguage)
{
    logger->info("TarnInput v1.4.0 (57) launched (Linux 6.1.0, Debian GNU/Linux 12).", "lifecycle");
    logger->warn("Settings could not be saved to "
                 "/home/someone/.config/Harrowfen/TarnInput/a-folder-with-a-rather-long-name/input-settings.json",
        "permission");
    for (const TarnLanguage language : {TarnLanguage::en, TarnLanguage::tr, TarnLanguage::ar, TarnLanguage::he}) {
        auto view = makeView(language, {sheetfit::sampleRelease()});
        view->resize(TarnVersionBadgeButton::kSheetMinimumWidth, TarnVersionBadgeButton::kSheetMinimumHeight);
        QApplication::processEvents();
        EXPECT_EQ(sheetfit::cutControls(*view).join(", ").toStdString(), "") << rawValue(language);
        EXPECT_EQ(view->layoutDirection(), isRTL(language) ? Qt::RightToLeft : Qt::LeftToRight);
        for (const TarnWrappingText* message : view->findChildren<TarnWrappingText*>(QStringLiteral("logMessage"))) {
            EXPECT_FALSE(message->isRightToLeft()) << "Latin text reads left to right in " << rawValue(language);
            EXPECT_GE(message->height(), message->heightForWidth(message->width())) << "every line is shown";
        }
    }
}

TEST_F(VersionSheetTest, InAMirroredSheetEachChipReadsAsOnePhrase)
{
    auto view = makeView(TarnLanguage::ar);
    QApplication::processEvents();
    for (const QString& title : {QStringLiteral("Version:"), QStringLiteral("Build:")}) {
        const auto labels = view->findChildren<QLabel*>();
        const auto found
            = std::find_if(labels.begin(), labels.end(), [&](auto* label) { return label->text() == title; });
        ASSERT_NE(found, labels.end()) << title.toStdString();
        const QLabel* value = nullptr;
        for (const QLabel* sibling : (*found)->parentWidget()->findChildren<QLabel*>()) {
            value = sibling != *found ? sibling : value;
        }
        ASSERT_NE(value, nullptr);
        EXPECT_LT((*found)->geometry().left(), value->geometry().left())
            << "\"" << title.toStdString() << " " << value->text().toStdString() << "\", not the value first";
    }
}

TEST_F(VersionSheetTest, TimeColumnIsTheTimeOfDayOrTheFirstEightCharacters)
{
    const std::vector<std::pair<std::string, std::string>> cases {
        {"2026-12-09T07:20:08.123Z", "07:20:08"},
        {"20261209 072008", "20261209"},
        {"T1", "1"},
        {"short", "short"},
    };
    for (const auto& [stamp, time] : cases) {
        EXPECT_EQ(TarnVersionAndLogsView::timeOfDay(stamp), time) << stamp;
    }
}

TEST_F(VersionSheetTest, BadgeOpensAFreshSheetEachTime)
{
    writeEntries(1, TarnLogLevel::info);
    writeEntries(1, TarnLogLevel::error);
    TarnVersionSheetServices services;
    services.loadReleases = [](std::string_view) { return std::vector<TarnReleaseLogRecord> {}; };
    services.feedback = &feedback;
    TarnVersionBadgeButton badge("TarnInput", {"1.4.0", "57"}, logger.get(), TarnProductPalette::deepAbyss,
        TarnLanguage::en, false, false, services);
    badge.show();
    EXPECT_EQ(badge.findChild<TarnFeedbackButton*>(), nullptr);
    auto* capsule = child<TarnVersionBadge>(badge, "versionBadge");
    EXPECT_EQ(capsule->text(), QStringLiteral("v1.4.0"));
    EXPECT_EQ(capsule->toolTip(), QStringLiteral("Version v1.4.0 (57) — Click to view Release History & Logs"));
    EXPECT_EQ(TarnVersionBadgeButton::helpText({"1.4.0", "57"}, TarnLanguage::tr),
        QStringLiteral("Sürüm v1.4.0 (57) — Sürüm Geçmişi ve Logları görmek için tıklayın"));

    QTest::mouseClick(capsule, Qt::LeftButton);
    ASSERT_NE(badge.sheet(), nullptr);
    EXPECT_GE(badge.sheet()->minimumWidth(), 720);
    EXPECT_GE(badge.sheet()->minimumHeight(), 560);
    EXPECT_TRUE(badge.sheet()->windowFlags().testFlag(Qt::FramelessWindowHint)) << "one title bar: its own";
    TarnVersionAndLogsView* view = badge.sheetView();
    badge.sheet()->resize(badge.sheet()->minimumSizeHint().expandedTo(badge.sheet()->minimumSize()));
    QApplication::processEvents();
    auto* logsTitle = child<TarnSymbolLabel>(*view, "logsTitle");
    EXPECT_GE(logsTitle->width(), logsTitle->sizeHint().width()) << "the logs' title is never cut short";
    EXPECT_TRUE(view->hasHeader());
    EXPECT_NE(view->findChild<TarnFeedbackButton*>(), nullptr) << "the sheet has its own labelled button";
    QTest::mouseClick(child(*view, "logLevel_error"), Qt::LeftButton);
    QTest::mouseClick(child(*view, "copyLogsButton"), Qt::LeftButton);
    QTest::mouseClick(child(*view, "closeButton"), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(badge.sheet(), nullptr);

    QTest::mouseClick(capsule, Qt::LeftButton);
    view = badge.sheetView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->selectedMinLevel(), TarnLogLevel::debug);
    EXPECT_EQ(view->entries().size(), 2U);
    EXPECT_FALSE(view->showsCopied());
    badge.sheet()->close();
}

TEST_F(VersionSheetTest, BadgeWithoutALoggerUsesTheSharedOneAndCanShowTheFeedbackButton)
{
    TarnVersionSheetServices services;
    services.feedback = &feedback;
    TarnVersionBadgeButton badge("VersionSheetTestApp", {"2.0.0", "3"}, nullptr, TarnProductPalette::deepAbyss,
        TarnLanguage::en, true, true, services);
    EXPECT_EQ(&badge.logger(), &TarnAppLogger::shared("VersionSheetTestApp"));
    EXPECT_EQ(child<TarnVersionBadge>(badge, "versionBadge")->text(), QStringLiteral("v2.0.0 (3)"));
    auto* button = badge.findChild<TarnFeedbackButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->buttonStyle(), TarnFeedbackButtonStyle::compactIcon);
    button->click();
    ASSERT_EQ(opener->opened().size(), 1U);
    EXPECT_EQ(opener->opened()[0],
        "https://harrowfen.com/en/feedback?type=feature&source=desktop_app&os=Linux%206.1.0%20(x86_64)"
        "&app=versionsheettestapp&version=2.0.0");
}

} // namespace
} // namespace tarn
