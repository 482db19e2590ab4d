#include "TarnKit/Foundation/StrictJson.h"

#include <cmath>

namespace tarn {

std::optional<nlohmann::json> StrictJson::parse(std::string_view text)
{
    auto value = nlohmann::json::parse(text, nullptr, false);
    if (value.is_discarded()) {
        return std::nullopt;
    }
    return value;
}

std::optional<nlohmann::ordered_json> StrictJson::parseOrdered(std::string_view text)
{
    auto value = nlohmann::ordered_json::parse(text, nullptr, false);
    if (value.is_discarded()) {
        return std::nullopt;
    }
    return value;
}

std::string StrictJson::dump(const nlohmann::json& value, int indent)
{
    return value.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string StrictJson::dump(const nlohmann::ordered_json& value, int indent)
{
    return value.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::optional<double> StrictJson::number(const nlohmann::json& value)
{
    if (!value.is_number()) {
        return std::nullopt;
    }
    const auto number = value.get<double>();
    if (!std::isfinite(number)) {
        return std::nullopt;
    }
    return number;
}

std::optional<bool> StrictJson::boolean(const nlohmann::json& value)
{
    if (!value.is_boolean()) {
        return std::nullopt;
    }
    return value.get<bool>();
}

std::optional<std::string> StrictJson::string(const nlohmann::json& value)
{
    if (!value.is_string()) {
        return std::nullopt;
    }
    return value.get<std::string>();
}

} // namespace tarn
