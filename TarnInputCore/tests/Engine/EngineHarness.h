#pragma once

// The real engine wired to the fakes. `run` plays a script (see EventScript.h) through the fake
// tap and answers what applications would receive, in order: events the engine passed (as they
// left it) and events it posted. Posted events are fed back through the tap, as the system does.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "Platform/Fake/Core/FakeEventPoster.h"
#include "Platform/Fake/Core/FakeEventTap.h"
#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

namespace tarn::input::testing {

class EngineHarness : public FakeEnginePorts {
public:
    // Creates and starts the service with these settings.
    explicit EngineHarness(InputSettings settings = {});
    ~EngineHarness();

    std::string run(std::string_view script);
    // Off: work the engine hands its executor for "now" (window lookups, macro steps) runs right
    // after each event, as on an idle machine. On: it waits for the next clock step of the script
    // ("0ms" lets it run), as when the executor is busy or the display server slow to answer.
    void setExecutorLate(bool late) { m_executorLate = late; }
    // A release of a button that is not down does no harm; a test says whether one may happen.
    enum class StrayReleases { forbidden, allowed };
    // Every button pressed and every key the engine pressed, as applications saw them, has been
    // released, nothing was pressed again while applications already saw it down, and (unless
    // allowed) nothing was released that was not pressed.
    ::testing::AssertionResult nothingHeld(StrayReleases strayReleases = StrayReleases::forbidden) const;

    // Changes the settings the way the settings-change path does.
    void changeSettings(const std::function<void(InputSettings&)>& change);

    InputSettings settings;
    std::unique_ptr<InputEventInterceptorService> service;

    std::vector<std::string> telemetryLines;
    std::vector<ClickRippleEvent> ripples;
    std::vector<PointerTelemetrySnapshot> telemetry;
    std::vector<PointerCalibrationSnapshot> calibration;

private:
    void deliver(TapEvent event, std::vector<std::string>& output);
    void drainPosts(std::vector<std::string>& output);
    void observe(const TapEvent& event);

    EventPoint m_pointer {500, 400};
    std::uint64_t m_modifiers = 0;
    bool m_executorLate = false;
    std::vector<std::int64_t> m_heldButtons; // by the script, in press order
    // What applications saw.
    std::set<std::string> m_held;
    std::vector<std::string> m_strayReleases;
    std::vector<std::string> m_repeatedPresses;
};

} // namespace tarn::input::testing
