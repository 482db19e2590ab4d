// Whatever happens between a press and its release (settings changes, another application in
// front, the tap stopped and started again, a window drag, a gesture), no button and no posted key
// may stay held once the user has let go of everything. Random sequences, fixed seeds.

#include <array>
#include <random>
#include <string>
#include <vector>

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "EngineHarness.h"

namespace tarn::input {
namespace {

using testing::EngineHarness;

constexpr std::array<std::string_view, 6> kButtons {"left", "right", "middle", "back", "forward", "btn5"};
constexpr std::array<MouseButtonAction, 4> kActions {MouseButtonAction::passthrough, MouseButtonAction::copy,
    MouseButtonAction::browserBack, MouseButtonAction::missionControl};

class RandomSession {
public:
    explicit RandomSession(unsigned seed)
        : m_random(seed)
    {
        m_harness.windows.addWindow(WindowRef {7}, WindowFrame {{100, 100}, {800, 600}});
    }

    // One random step; returns the script or action it took, for the failure message.
    std::string step()
    {
        switch (pick(10)) {
        case 0:
        case 1:
            return press();
        case 2:
        case 3:
            return release();
        case 4:
            return run(fmt::format("@{},{}", pick(1200), pick(900)));
        case 5:
            return run(pick(2) == 0 ? "mods:ctrl+opt" : "mods:");
        case 6:
            return changeSettings();
        case 7:
            return run(pick(2) == 0 ? "app:org.mozilla.firefox/Firefox" : "focus:org.gnome.Terminal/Terminal");
        case 8:
            m_harness.service->stop();
            EXPECT_TRUE(m_harness.service->start());
            return "(tap restarted)";
        default:
            return run(fmt::format("{}ms", 1 + pick(40)));
        }
    }

    // The user lets go of everything; timers run out.
    void releaseEverything()
    {
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

    std::string press()
    {
        const std::string button(kButtons[static_cast<std::size_t>(pick(int(kButtons.size())))]);
        if (std::find(m_held.begin(), m_held.end(), button) != m_held.end()) {
            return "(already held)";
        }
        m_held.push_back(button);
        return run("+" + button);
    }

    std::string release()
    {
        if (m_held.empty()) {
            return "(nothing held)";
        }
        const auto index = static_cast<std::size_t>(pick(int(m_held.size())));
        const auto button = m_held[index];
        m_held.erase(m_held.begin() + static_cast<std::ptrdiff_t>(index));
        return run("-" + button);
    }

    std::string changeSettings()
    {
        const int which = pick(6);
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
    std::vector<std::string> m_held;
};

TEST(NoStuckButtonPropertyTest, NothingStaysHeldAcrossChangesAndTapRestarts)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        RandomSession session(seed);
        std::vector<std::string> steps;
        for (int i = 0; i < 80; ++i) {
            steps.push_back(session.step());
        }
        session.releaseEverything();
        // A restart forgets which presses were swallowed, so a release may reach applications for
        // a press they never saw; that is harmless, a button left down is not.
        const auto held = session.harness().nothingHeld(EngineHarness::StrayReleases::allowed);
        if (!held) {
            std::string trail;
            for (const auto& step : steps) {
                trail += step + " ";
            }
            ADD_FAILURE() << "seed " << seed << ": " << held.message() << "\nsteps: " << trail;
        }
    }
}

} // namespace
} // namespace tarn::input
