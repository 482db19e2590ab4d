#pragma once

// The action of one button from the per-application button rules, else the global setting.
// Rules compare the bundle identifier lower-cased but never trimmed.

#include <optional>

#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"
#include "TarnInputCore/Model/Profiles/ApplicationId.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

namespace tarn::input {

class ButtonActionResolver {
public:
    ButtonActionResolver() = delete;

    // passthrough when the engine or button remapping is off; else the first enabled rule for
    // this button and application, else the global action.
    static MouseButtonAction resolveAction(
        MouseButtonKind button, const std::optional<ApplicationId>& frontmost, const InputSettings& settings);
};

} // namespace tarn::input
