#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Platform/Fake/App/StudioHarness.h"
#include "TarnInputCore/Model/Macros/InputMacro.h"
#include "TarnInputCore/Model/Profiles/AppInputProfile.h"

// The records the editing tests put into settings, written once for every test file that edits them.
namespace tarn::input::testing {

inline InputMacro macroNamed(const std::string& name, std::optional<std::int64_t> trigger = std::nullopt)
{
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = name;
    macro.triggerButtonNumber = trigger;
    macro.steps = {MacroStep::keystroke(8, {"cmd"}, "⌘C")};
    return macro;
}

inline AppInputProfile profileFor(const std::string& bundleID, const std::string& name)
{
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = bundleID;
    profile.appName = name;
    return profile;
}

// A view model started over a settings file that holds `settings`.
inline InputStudioViewModel& startWith(StudioHarness& h, const InputSettings& settings)
{
    h.writeSettingsFile(settings);
    return h.start();
}

} // namespace tarn::input::testing
