#pragma once

// Strict reading of JSON values: a value of the wrong type or out of range is absent, never
// converted. An integer field does not accept 1.0 or true; a number is never NaN or infinite.
// Parsing and dumping never throw.
//
// Every file the program reads is one a user or another program may have made by hand, so a
// document is measured before it is parsed: one nested deeper than kMaxDepth or holding more than
// about kMaxValues values is refused, and the parser never builds a tree larger than a bounded
// multiple of the text. None of our formats nests deeper than six levels.

#include <concepts>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

class StrictJson {
public:
    static constexpr int kMaxDepth = 32;
    static constexpr std::size_t kMaxValues = std::size_t {1} << 20;

    static std::optional<nlohmann::json> parse(std::string_view text);
    static std::optional<nlohmann::ordered_json> parseOrdered(std::string_view text);
    // The same as parse(), with a short English reason when the text is refused.
    static Result<nlohmann::json, std::string> parseWithReason(std::string_view text);

    // Invalid UTF-8 in strings is replaced by U+FFFD instead of throwing.
    static std::string dump(const nlohmann::json& value, int indent = -1);
    static std::string dump(const nlohmann::ordered_json& value, int indent = -1);

    template <std::integral T>
    requires(!std::same_as<T, bool>) static std::optional<T> integer(const nlohmann::json& value)
    {
        if (value.is_number_unsigned()) {
            const auto number = value.get<std::uint64_t>();
            if (number > static_cast<std::uint64_t>(std::numeric_limits<T>::max())) {
                return std::nullopt;
            }
            return static_cast<T>(number);
        }
        if (value.is_number_integer()) {
            const auto number = value.get<std::int64_t>();
            if (!std::in_range<T>(number)) {
                return std::nullopt;
            }
            return static_cast<T>(number);
        }
        return std::nullopt;
    }

    // A JSON number whose value is a whole number that fits T: like integer(), and also a number
    // written with a fraction or an exponent whose value is whole (87.0, 1e3), which writers
    // that hold every number as a double produce. 87.5 is refused.
    template <std::integral T>
    requires(!std::same_as<T, bool>) static std::optional<T> wholeNumber(const nlohmann::json& value)
    {
        if (!value.is_number_float()) {
            return integer<T>(value);
        }
        // The largest value of a 64-bit type has no double: it rounds up to the power of two
        // above it, which adding one leaves unchanged, so the bound past the range is exact.
        const auto number = value.get<double>();
        if (!isWholeIn(number, static_cast<double>(std::numeric_limits<T>::min()),
                static_cast<double>(std::numeric_limits<T>::max()) + 1.0)) {
            return std::nullopt;
        }
        return static_cast<T>(number);
    }

    // Any JSON number (integers included), when finite.
    static std::optional<double> number(const nlohmann::json& value);
    // A JSON number that a 32-bit float can hold: one beyond the float's largest finite value by
    // less than half its last step rounds to that value, as a float parser would; anything
    // larger is refused rather than becoming infinite.
    static std::optional<float> float32(const nlohmann::json& value);
    static std::optional<bool> boolean(const nlohmann::json& value);
    static std::optional<std::string> string(const nlohmann::json& value);

private:
    // Whether `number` is finite, whole and within [lowest, pastHighest).
    static bool isWholeIn(double number, double lowest, double pastHighest);
};

} // namespace tarn
