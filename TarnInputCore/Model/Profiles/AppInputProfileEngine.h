#pragma once

// Decides what applies for the frontmost application: the first enabled profile whose bundle
// identifier matches (trimmed and lower-cased on both sides) overrides the per-application button
// rules, which override the global settings. With the engine or button remapping off, every
// button passes through and no macro is bound. Reads its arguments only and never fails.

#include <optional>
#include <string>
#include <vector>

#include "TarnInputCore/Model/Macros/InputMacro.h"
#include "TarnInputCore/Model/Profiles/AppInputProfile.h"
#include "TarnInputCore/Model/Profiles/ApplicationId.h"
#include "TarnInputCore/Model/Profiles/EffectiveInputResolution.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

namespace tarn::input {

class AppInputProfileEngine {
public:
    AppInputProfileEngine() = delete;

    static constexpr double kMinimumScrollSpeed = 0.4;
    static constexpr double kMaximumScrollSpeed = 4.0;

    // A null list means the one in `settings`. The identifier comes normalised from the workspace
    // adapter that read it, so a resolution normalises nothing.
    static EffectiveInputResolution resolve(const std::optional<ApplicationId>& frontmost,
        const std::optional<std::string>& frontmostAppName, const InputSettings& settings,
        const std::vector<AppInputProfile>* profiles = nullptr, const std::vector<InputMacro>* macros = nullptr);

    // Five ready-made profiles (Xcode, VS Code, Figma, Google Chrome, Safari), each with a fresh
    // identity on every call.
    static std::vector<AppInputProfile> builtInTemplates();
};

} // namespace tarn::input
