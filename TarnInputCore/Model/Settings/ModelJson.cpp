#include "TarnInputCore/Model/Settings/ModelJson.h"

#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn::input::model_json {

std::optional<MouseButtonKind> mouseButtonKindValue(const nlohmann::json& value)
{
    // 2.0 or true is not a button number: only a JSON integer is.
    const auto number = StrictJson::integer<std::int64_t>(value);
    if (!number) {
        return std::nullopt;
    }
    return mouseButtonKindFromRawValue(*number);
}

std::optional<MouseButtonAction> mouseButtonActionValue(const nlohmann::json& value)
{
    if (!value.is_string()) {
        return std::nullopt;
    }
    return mouseButtonActionFromRawValue(value.get_ref<const std::string&>());
}

std::optional<KeyHUDPosition> keyHUDPositionValue(const nlohmann::json& value)
{
    if (!value.is_string()) {
        return std::nullopt;
    }
    return keyHUDPositionFromRawValue(value.get_ref<const std::string&>());
}

} // namespace tarn::input::model_json
