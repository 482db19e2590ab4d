#pragma once

// How the engine reports to the interface. Each is optional; the engine calls them on the thread
// that produced the output: the tap thread for everything from events and from the owner's
// requests (the owner's own thread while no tap runs). None but `onActiveResolution` is called
// with a lock held.

#include <functional>
#include <string>

#include "TarnInputCore/Model/Keys/KeyHUDToken.h"
#include "TarnInputCore/Model/Pointer/ClickRippleEvent.h"
#include "TarnInputCore/Model/Pointer/PointerCalibrationSnapshot.h"
#include "TarnInputCore/Model/Pointer/PointerTelemetrySnapshot.h"
#include "TarnInputCore/Model/Profiles/EffectiveInputResolution.h"

namespace tarn::input {

struct EngineCallbacks {
    std::function<void(const KeyHUDToken&)> onKeystrokeToken;
    std::function<void(const ClickRippleEvent&)> onClickRipple;
    std::function<void(const PointerTelemetrySnapshot&)> onPointerTelemetry;
    std::function<void(const PointerCalibrationSnapshot&)> onCalibrationSnapshot;
    // One English line per remarkable event ("Side Button 4 (Back) → Navigate Back (Alt+Left)").
    std::function<void(const std::string&)> onTelemetryEvent;
    // What applies now, each time the engine resolves again for a change of settings or of the
    // frontmost application. Never from the tap thread. Called with the writers' lock held, so
    // reports arrive in the order the resolutions took effect: it must not call into the engine.
    std::function<void(const EffectiveInputResolution&)> onActiveResolution;
    // Once after one or more of the above, when acting on them holds up no input: at once on any
    // thread but the tap thread, and there once the frames of its wake-up are out. The moment to
    // wake the interface; like the resolution's report, it must not call into the engine.
    std::function<void()> onReportsReady;
};

} // namespace tarn::input
