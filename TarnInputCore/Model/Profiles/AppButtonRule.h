#pragma once

// One button of one application mapped to one action. Matching lower-cases the bundle
// identifier but does not trim it (see ButtonActionResolver).

#include <string>

#include <nlohmann/json_fwd.hpp>

#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"
#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Json/DecodeError.h"

namespace tarn::input {

struct AppButtonRule {
    Uuid id;
    std::string bundleIdentifier;
    std::string appDisplayName;
    MouseButtonKind button = MouseButtonKind::middle;
    MouseButtonAction action = MouseButtonAction::passthrough;
    bool isEnabled = true;

    // All six keys are written and all six are required on reading (null counts as missing).
    nlohmann::json toJson() const;
    static DecodeResult<AppButtonRule> fromJson(const nlohmann::json& value);

    bool operator==(const AppButtonRule&) const = default;
};

} // namespace tarn::input
