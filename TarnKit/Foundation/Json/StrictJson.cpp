#include "TarnKit/Foundation/Json/StrictJson.h"

#include <cmath>

#include <fmt/format.h>

namespace tarn {
namespace {

// One pass over the text, outside strings, counting brackets for the depth and commas and
// openings for the values: linear time, no memory, and an upper bound on what the parser would
// build. Malformed text is left for the parser to refuse.
std::optional<std::string> boundsExceeded(std::string_view text)
{
    int depth = 0;
    std::size_t values = 1;
    bool inString = false;
    bool escaped = false;
    for (const char character : text) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (character == '\\') {
                escaped = true;
            } else if (character == '"') {
                inString = false;
            }
            continue;
        }
        switch (character) {
        case '"':
            inString = true;
            break;
        case '[':
        case '{':
            if (++depth > StrictJson::kMaxDepth) {
                return fmt::format("JSON nested deeper than {} levels", StrictJson::kMaxDepth);
            }
            ++values;
            break;
        case ']':
        case '}':
            --depth;
            break;
        case ',':
            ++values;
            break;
        default:
            continue;
        }
        if (values > StrictJson::kMaxValues) {
            return fmt::format("JSON with more than {} values", StrictJson::kMaxValues);
        }
    }
    return std::nullopt;
}

} // namespace

Result<nlohmann::json, std::string> StrictJson::parseWithReason(std::string_view text)
{
    if (auto reason = boundsExceeded(text)) {
        return fail(std::move(*reason));
    }
    auto value = nlohmann::json::parse(text, nullptr, false);
    if (value.is_discarded()) {
        return fail(std::string("not valid JSON"));
    }
    return value;
}

std::optional<nlohmann::json> StrictJson::parse(std::string_view text)
{
    auto value = parseWithReason(text);
    if (!value) {
        return std::nullopt;
    }
    return std::move(value).value();
}

std::optional<nlohmann::ordered_json> StrictJson::parseOrdered(std::string_view text)
{
    if (boundsExceeded(text)) {
        return std::nullopt;
    }
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

std::optional<float> StrictJson::float32(const nlohmann::json& value)
{
    constexpr double kLargest = std::numeric_limits<float>::max();
    // Halfway between the largest float and the next power of two, where rounding to nearest
    // reaches infinity.
    constexpr double kRoundsToInfinity = kLargest + 0x1p103;
    const auto number = StrictJson::number(value);
    if (!number || std::fabs(*number) >= kRoundsToInfinity) {
        return std::nullopt;
    }
    if (std::fabs(*number) > kLargest) {
        return static_cast<float>(std::copysign(kLargest, *number));
    }
    return static_cast<float>(*number);
}

bool StrictJson::isWholeIn(double number, double lowest, double pastHighest)
{
    return std::isfinite(number) && std::trunc(number) == number && number >= lowest && number < pastHighest;
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
