#include "TarnInput/App/StudioStartUp.h"

#include <QAbstractButton>
#include <QApplication>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TarnInput/App/Studio/MainInputStudioView.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/App/tests/AppTestSupport.h"
#include "TarnInput/Overlays/tests/OverlayFakes.h"
#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnKit/UI/Buttons/TarnFeedbackButton.h"
#include "TarnKit/UI/Chrome/TarnWindowButtons.h"
#include "TarnKit/UI/Version/TarnVersionBadgeButton.h"

namespace tarn::input::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// The program as main.cpp puts it together, with fakes standing in for the desktop and a
// browser that only records the addresses it is asked to open.
class StudioStartUpTest : public ::testing::Test {
protected:
    StudioPlatform platform()
    {
        return StudioPlatform {
            .logger = kit.logger,
            .settingsFile = harness.settingsFile(),
            .clock = harness.engine.clock,
            .engine = {harness.engine.tap, harness.engine.poster, harness.engine.workspace, harness.engine.windows,
                harness.engine.clock, harness.engine.executor, harness.engine.log},
            .pointerPreferences = harness.preferences,
            .deviceSource = harness.devices,
            .permissionBackend = harness.permission,
            .urlOpener = kit.opener,
            .loginItem = harness.loginItem,
            .hotkeys = harness.hotkeys,
            .mainThread = harness.mainThread,
            .engineWakeup = harness.engineWakeup,
            .timers = timers,
            .deviceChanges = harness.deviceChanges,
            .overlayWindows = overlayWindows,
            .defaults = harness.languageDefaults,
            .systemLanguages = harness.systemLanguages,
            // As the program does: the store tarnText reads.
            .textStore = TarnLocalizationStore::shared(),
        };
    }

    StudioHarness harness;
    TestStudioKit kit;
    FakeMainThreadTimers timers {harness.engine.executor, harness.journal};
    FakeOverlayWindowManager overlayWindows;
};

TarnVersionBadgeButton& versionBadge(const StudioStartUp& startUp)
{
    auto* badge = startUp.studio().studioWindow()->findChild<TarnVersionBadgeButton*>("versionBadge");
    EXPECT_NE(badge, nullptr);
    return *badge;
}

TarnFeedbackButton* feedbackButton(const QWidget& container, TarnFeedbackButtonStyle style)
{
    for (auto* button : container.findChildren<TarnFeedbackButton*>()) {
        if (button->buttonStyle() == style) {
            return button;
        }
    }
    ADD_FAILURE() << "no feedback button of that look";
    return nullptr;
}

// The shipped program's version sheet once had a feedback service without a browser: its
// button did nothing. Both feedback buttons of the header open the page now.
TEST_F(StudioStartUpTest, TheVersionSheetsFeedbackButtonOpensTheFeedbackPage)
{
    StudioStartUp startUp(platform(), [] {});
    startUp.studio().openStudio();
    auto& badge = versionBadge(startUp);
    badge.presentSheet();
    ASSERT_NE(badge.sheetView(), nullptr);
    auto* pill = feedbackButton(*badge.sheetView(), TarnFeedbackButtonStyle::labeledPill);
    ASSERT_NE(pill, nullptr);
    EXPECT_EQ(pill->text(), "Send Feedback & Ideas");
    pill->click();
    ASSERT_EQ(kit.opener->opened().size(), 1U);
    EXPECT_THAT(kit.opener->opened()[0], StartsWith("https://harrowfen.com/en/feedback?"));
    EXPECT_THAT(kit.opener->opened()[0], HasSubstr("app=tarninput"));
    badge.sheet()->close();

    auto* compact = feedbackButton(badge, TarnFeedbackButtonStyle::compactIcon);
    ASSERT_NE(compact, nullptr);
    compact->click();
    ASSERT_EQ(kit.opener->opened().size(), 2U);
    EXPECT_EQ(kit.opener->opened()[1], kit.opener->opened()[0]);
}

// The interface language comes from the program's own defaults, read through the start-up's
// language settings, by the view model and by the window's own buttons alike.
TEST_F(StudioStartUpTest, TheLanguageComesFromTheProgramsDefaults)
{
    ASSERT_TRUE(harness.languageDefaults->setValue("com.harrowfen.preferredLanguage", "tr"));
    StudioStartUp startUp(platform(), [] {});
    EXPECT_EQ(startUp.viewModel().language(), TarnLanguage::tr);
    auto* view = startUp.studio().studioView();
    EXPECT_EQ(view->windowButtons()->button(WindowButton::close)->toolTip(), "Kapat");
    startUp.viewModel().languageSettings().setCurrent(TarnLanguage::en);
    EXPECT_EQ(harness.languageDefaults->value("com.harrowfen.preferredLanguage"), "en");
}

// Quitting stops the engine before the event loop is left, and the start-up's end lets go of
// every grab before the platform's adapters go.
TEST_F(StudioStartUpTest, QuitStopsTheEngineAndTheEndReleasesEverything)
{
    bool tapWhenLeaving = true;
    auto startUp = std::make_unique<StudioStartUp>(platform(), [&] { tapWhenLeaving = harness.engine.tap.exists(); });
    ASSERT_TRUE(harness.engine.tap.exists());
    ASSERT_EQ(harness.hotkeys.registrations().size(), 1U);
    startUp->studio().quit();
    EXPECT_FALSE(tapWhenLeaving);
    startUp.reset();
    EXPECT_FALSE(harness.engine.tap.exists());
    EXPECT_TRUE(harness.hotkeys.registrations().empty()) << "the hotkey goes with the view model";
}

} // namespace
} // namespace tarn::input::testing
