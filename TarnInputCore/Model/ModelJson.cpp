#include "TarnInputCore/Model/ModelJson.h"

#include <charconv>

#include "TarnKit/Foundation/StrictJson.h"

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

std::optional<std::int64_t> decimalKey(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t number = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number, 10);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return number;
}

} // namespace tarn::input::model_json
