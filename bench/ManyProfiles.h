#pragma once

// The settings the benchmarks load to stand for a heavy user: many profiles, each overriding the
// wheel and a button and binding one of 50 macros to button 4.

#include <cstddef>
#include <string>

#include <fmt/format.h>

#include "TarnInputCore/Model/Settings/InputSettings.h"

namespace tarn::input {

inline std::string manyProfilesBundleID(int index)
{
    return fmt::format("com.example.application{}", index);
}

inline InputSettings manyProfiles(int profiles)
{
    InputSettings settings;
    for (int index = 0; index < 50; ++index) {
        InputMacro macro;
        macro.id = Uuid::random();
        macro.name = fmt::format("Macro {}", index);
        macro.steps = {MacroStep::delay(10)};
        settings.macros.push_back(std::move(macro));
    }
    for (int index = 0; index < profiles; ++index) {
        AppInputProfile profile;
        profile.id = Uuid::random();
        profile.bundleIdentifier = manyProfilesBundleID(index);
        profile.appName = fmt::format("Application {}", index);
        profile.smoothScrollOverride = true;
        profile.scrollSpeedMultiplierOverride = 1.0 + index / 1000.0;
        profile.buttonActionOverrides = {{3, MouseButtonAction::closeTab}};
        profile.macroBindings = {{4, settings.macros[std::size_t(index % 50)].id}};
        settings.appProfiles.push_back(std::move(profile));
    }
    return settings;
}

} // namespace tarn::input
