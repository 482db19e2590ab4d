#pragma once

// The one-line event vocabulary of the engine tests, read by `parseEventScript` and written by
// `printTapEvent`, so a script, an expected output and a failure message all read alike.
//
//   +left -left +right -right +middle -middle +back -back +forward -forward +btn5 -btn5
//   @100,200            pointer to (100, 200): a move, or a drag while a button is held
//   drag@100,200        the same, always written for drags in output
//   wheel:1  wheel:1,-2 a wheel step (vertical, then horizontal);  trackpad:3,0 continuous
//   key:33  keyup:33    key down and key up by ANSI key code
//   {ctrl+opt+shift+cmd} after an event: the modifiers it carries
//   30ms  1s            the virtual clock moves on (timers due on the way run)
//   mods:ctrl+opt       modifiers held from now on ("mods:" releases them)
//   app:com.x.Y/Name    the workspace reports another frontmost application ("app:-" for none)
//   focus:com.x.Y/Name  the same, and the owner tells the engine, as the view model does
// In output, "!" marks an event the engine posted with its marker, "?" one posted without it.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "TarnInputCore/Engine/Ports/FrontmostApplication.h"
#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input::testing {

// An event token; its location and modifiers are filled in by the harness when not given.
struct ScriptEvent {
    TapEvent event;
    bool hasLocation = false; // "@x,y" tokens
    bool explicitDrag = false; // "drag@x,y"
    std::optional<std::uint64_t> flags; // "{...}" suffix
};
struct ScriptClockStep {
    std::chrono::nanoseconds step;
};
struct ScriptModifiers {
    std::uint64_t flags = 0;
};
struct ScriptFrontmost {
    FrontmostApplication application;
    bool tellEngine = false;
};

using ScriptStep = std::variant<ScriptEvent, ScriptClockStep, ScriptModifiers, ScriptFrontmost>;

// Throws std::invalid_argument naming the token it cannot read.
std::vector<ScriptStep> parseEventScript(std::string_view script);

// One output token; `posted` events carry "!" (marked) or "?" (unmarked).
std::string printTapEvent(const TapEvent& event, bool posted = false);

} // namespace tarn::input::testing
