// Whatever happens between a press and its release (settings changes, another application in
// front, the tap stopped and started again, a window drag whose window is looked up late, a
// gesture, requests the tap thread meets only with the next event), applications never see a button pressed twice
// without a release between, and nothing stays held once the user has let go of everything. Random sequences, fixed
// seeds.

#include <array>
#include <random>
#include <string>
#include <vector>

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "TarnInputCore/tests/Engine/EngineHarness.h"

namespace tarn::input {
namespace {

using testing::EngineHarness;

// Left and right three times: they are the buttons of the window drag.
constexpr std::array<std::string_view, 10> kButtons {
    "left", "right", "left", "right", "left", "right", "middle", "back", "forward", "btn5"};
constexpr std::array<MouseButtonAction, 4> kActions {MouseButtonAction::passthrough, MouseButtonAction::copy,
    MouseButtonAction::browserBack, MouseButtonAction::missionControl};
constexpr unsigned kSeeds = 300;
constexpr int kStepsPerSession = 200;

class RandomSession {
public:
    explicit RandomSession(unsigned seed)
        : m_random(seed)
    {
        // Around them, a Control+Option press finds no window; on the second, none it can read.
        m_harness.windows.addWindow(WindowRef {7}, WindowFrame {{100, 100}, {500, 400}});
        m_harness.windows.addWindow(WindowRef {8}, WindowFrame {{700, 100}, {300, 300}}, /*readable=*/false);
    }

    // One random step; returns the script or action it took, for the failure message. Presses and
    // releases are the most frequent; a restart is rare, as it ends every drag and gesture.
    std::string step()
    {
        enum Kind { kPress, kRelease, kMove, kSettings, kApplication, kRestart, kLateness, kWakeUps, kClock };
        static constexpr std::array<double, 9> kWeights {30, 30, 8, 6, 6, 2, 2, 2, 6};
        std::discrete_distribution<int> kinds(kWeights.begin(), kWeights.end());
        switch (kinds(m_random)) {
        case kPress:
            return press();
        case kRelease:
            return release();
        case kMove:
            return run(fmt::format("@{},{}", pick(1200), pick(900)));
        case kSettings:
            return changeSettings();
        case kApplication:
            return run(pick(2) == 0 ? "app:org.mozilla.firefox/Firefox" : "focus:org.gnome.Terminal/Terminal");
        case kRestart:
            m_harness.service->stop();
            EXPECT_TRUE(m_harness.service->start());
            return "(tap restarted)";
        case kLateness:
            // A busy executor or a slow display server: window lookups answer at a later step.
            m_executorLate = !m_executorLate;
            m_harness.setExecutorLate(m_executorLate);
            return m_executorLate ? "(executor late)" : "(executor on time)";
        case kWakeUps:
            // A tap thread busy with input: settings reach the rules with the next event.
            m_wakeUpsDeferred = !m_wakeUpsDeferred;
            m_harness.tap.setWakeUpsDeferred(m_wakeUpsDeferred);
            return m_wakeUpsDeferred ? "(wake-ups deferred)" : "(wake-ups at once)";
        default:
            return run(fmt::format("{}ms", pick(40)));
        }
    }

    // The user lets go of everything; timers run out.
    void releaseEverything()
    {
        m_harness.setExecutorLate(false);
        (void)run("mods:");
        while (!m_held.empty()) {
            (void)release();
        }
        (void)run("2s");
    }

    EngineHarness& harness() { return m_harness; }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    std::string run(const std::string& script)
    {
        (void)m_harness.run(script);
        return script;
    }

    // Control and Option go down or up now and then, mostly between presses.
    std::string modifiersBefore()
    {
        switch (pick(3)) {
        case 0:
            return "mods:ctrl+opt ";
        case 1:
            return "mods: ";
        default:
            return "";
        }
    }

    std::string press()
    {
        const std::string button(kButtons[static_cast<std::size_t>(pick(int(kButtons.size())))]);
        if (std::find(m_held.begin(), m_held.end(), button) != m_held.end()) {
            return "(already held)";
        }
        m_held.push_back(button);
        return run(modifiersBefore() + "+" + button);
    }

    std::string release()
    {
        if (m_held.empty()) {
            return "(nothing held)";
        }
        const auto index = static_cast<std::size_t>(pick(int(m_held.size())));
        const auto button = m_held[index];
        m_held.erase(m_held.begin() + static_cast<std::ptrdiff_t>(index));
        return run(modifiersBefore() + "-" + button);
    }

    std::string changeSettings()
    {
        const int which = pick(7);
        m_harness.changeSettings([&](InputSettings& s) {
            switch (which) {
            case 0:
                s.engineEnabled = !s.engineEnabled;
                break;
            case 1:
                s.buttonRemapEnabled = !s.buttonRemapEnabled;
                break;
            case 2:
                s.gestureChordsEnabled = !s.gestureChordsEnabled;
                break;
            case 3:
                s.gestureTriggerButton = pick(2) == 0 ? MouseButtonKind::middle : MouseButtonKind::sideBack;
                break;
            case 4:
                s.sideBackAction = kActions[static_cast<std::size_t>(pick(int(kActions.size())))];
                s.middleButtonAction = kActions[static_cast<std::size_t>(pick(int(kActions.size())))];
                break;
            case 5:
                s.easyWindowDragEnabled = !s.easyWindowDragEnabled;
                break;
            default:
                s.doubleClickGuardEnabled = !s.doubleClickGuardEnabled;
                s.keyHUDEnabled = !s.keyHUDEnabled;
                break;
            }
        });
        return fmt::format("(settings change {})", which);
    }

    std::mt19937 m_random;
    EngineHarness m_harness;
    bool m_executorLate = false;
    bool m_wakeUpsDeferred = false;
    std::vector<std::string> m_held;
};

TEST(NoStuckButtonPropertyTest, NoButtonPressedTwiceOrLeftHeldAcrossChangesRestartsAndLateLookups)
{
    unsigned failures = 0;
    for (unsigned seed = 1; seed <= kSeeds; ++seed) {
        RandomSession session(seed);
        std::vector<std::string> steps;
        for (int i = 0; i < kStepsPerSession; ++i) {
            steps.push_back(session.step());
        }
        session.releaseEverything();
        // A restart forgets which presses were swallowed, so a release may reach applications for
        // a press they never saw; that is harmless, a button left down is not.
        const auto held = session.harness().nothingHeld(EngineHarness::StrayReleases::allowed);
        // The first few failures in full; the count says how widespread the fault is.
        if (!held && ++failures <= 3) {
            std::string trail;
            for (const auto& step : steps) {
                trail += step + " ";
            }
            ADD_FAILURE() << "seed " << seed << ": " << held.message() << "\nsteps: " << trail;
        }
    }
    EXPECT_EQ(failures, 0u) << "of " << kSeeds << " seeds";
}

} // namespace
} // namespace tarn::input
