#pragma once

// The configuration's own value kinds for the kit's JSON field reader, whose helpers the
// configuration's coders use through this namespace.

#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"
#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"
#include "TarnKit/Foundation/Json/JsonFieldReader.h"

namespace tarn::input::model_json {

using namespace tarn::json_field;

std::optional<MouseButtonKind> mouseButtonKindValue(const nlohmann::json& value);
std::optional<MouseButtonAction> mouseButtonActionValue(const nlohmann::json& value);
std::optional<KeyHUDPosition> keyHUDPositionValue(const nlohmann::json& value);

inline constexpr ValueKind<MouseButtonKind> kButton {mouseButtonKindValue, "expected the button number 2, 3 or 4"};
inline constexpr ValueKind<MouseButtonAction> kAction {mouseButtonActionValue, "expected the name of an action"};
inline constexpr ValueKind<KeyHUDPosition> kHUDPosition {
    keyHUDPositionValue, "expected the name of a key HUD position"};

} // namespace tarn::input::model_json
