// The version-and-logs sheet as the badge presents it, on a real X server with a window manager,
// at its minimum size: in English, Turkish and Arabic every control lies within the part of the
// sheet that can be seen, and a click on the header's close control closes it.

#include <QApplication>
#include <QDialog>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "TarnKit/UI/Version/TarnVersionBadgeButton.h"
#include "TarnKit/UI/tests/VersionSheetFit.h"
#include "TarnKit/UI/tests/x11/X11TestTools.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

using namespace x11test;

class TarnVersionSheetX11 : public ::testing::TestWithParam<TarnLanguage> {
protected:
    TarnVersionSheetX11()
    {
        TarnAppLogger::Services services;
        services.clock = &m_clock;
        services.errorOutput = [](std::string_view) {};
        m_logger = std::make_unique<TarnAppLogger>(
            "TarnInput", m_folder.path() / "logs", 1 << 22, 5,
            [] {
                return TarnAppVersion {"1.4.0", "57"};
            },
            std::move(services));
        m_logger->info("TarnInput v1.4.0 (57) launched (Linux 6.1.0, Debian GNU/Linux 12).", "lifecycle");
        m_logger->warn("Input permission missing: pointing devices cannot be read and no input can be posted "
                       "until you are in the input group.",
            "permission");
        m_logger->error("Settings could not be saved to "
                        "/home/someone/.config/Harrowfen/TarnInput/a-folder-with-a-long-name/input-settings.json",
            "settings");
    }

    TarnVersionSheetServices services()
    {
        TarnVersionSheetServices services;
        services.revealLogFolder = [] {};
        services.loadReleases
            = [](std::string_view) { return std::vector<TarnReleaseLogRecord> {sheetfit::sampleRelease()}; };
        services.feedback = &m_feedback;
        return services;
    }

    TemporaryFolder m_folder;
    FakeClock m_clock;
    std::unique_ptr<TarnAppLogger> m_logger;
    TarnFeedbackService m_feedback {{[](std::string_view) { return std::optional<std::string> {}; }, nullptr,
        std::make_shared<RecordingUrlOpener>(), nullptr, "Linux 6.1.0 (x86_64)"}};
};

TEST_P(TarnVersionSheetX11, ShowsEveryControlAtItsMinimumSizeAndClosesFromItsCloseControl)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    const TarnLanguage language = GetParam();
    QWidget studio;
    studio.setLayoutDirection(isRTL(language) ? Qt::RightToLeft : Qt::LeftToRight);
    auto* badge = new TarnVersionBadgeButton(
        "TarnInput", {"1.4.0", "57"}, m_logger.get(), TarnProductPalette::deepAbyss, language, false, true, services());
    (new QVBoxLayout(&studio))->addWidget(badge);
    studio.setGeometry(60, 40, 1100, 700);
    studio.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&studio));

    badge->presentSheet();
    QDialog* sheet = badge->sheet();
    ASSERT_NE(sheet, nullptr);
    sheet->resize(sheet->minimumSize());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    waitUntilPlaced(*sheet);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->size() == sheet->minimumSize(); }, 3000))
        << sheet->width() << 'x' << sheet->height();

    TarnVersionAndLogsView* view = badge->sheetView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(sheetfit::cutControls(*view).join(", ").toStdString(), "") << rawValue(language);

    QWidget* close = view->findChild<QWidget*>(QStringLiteral("closeButton"));
    ASSERT_NE(close, nullptr);
    const QRect closeOnSheet(close->mapTo(sheet, QPoint(0, 0)), close->size());
    ASSERT_TRUE(sheet->rect().contains(closeOnSheet)) << "the close control is in sight";
    const QPointer<QDialog> watched(sheet);
    clickOn(*close, close->rect().center(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return watched.isNull() || !watched->isVisible(); }, 5000))
        << "a click on the close control closes the sheet";
}

INSTANTIATE_TEST_SUITE_P(Languages, TarnVersionSheetX11,
    ::testing::Values(TarnLanguage::en, TarnLanguage::tr, TarnLanguage::ar),
    [](const ::testing::TestParamInfo<TarnLanguage>& info) { return std::string(rawValue(info.param)); });

} // namespace
} // namespace tarn
