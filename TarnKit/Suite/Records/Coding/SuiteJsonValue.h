#pragma once

// How each kind of value in a suite record is read, written and compared. Reading is strict:
// a value of another JSON kind, or a number that does not fit, is refused, never converted.
// Writing gives nothing for a number JSON cannot carry (NaN or an infinity), because the JSON
// library would otherwise write null. Equality is the records' own: numbers by numeric equality
// (NaN equals nothing, 0 equals -0), texts by canonical equivalence, lists element by element
// in order, optionals equal when both are absent or both present and equal.
//
// Dates are the suite's one date form (SuiteDateText.h): written floored to the second, read only
// in that form. A record type takes part by offering `toJson()` (none when a field cannot be written),
// `static fromJson(const nlohmann::json&)` and `==`; an enumeration by a specialisation of
// SuiteJsonValue beside it.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Suite/Commands/SuiteDateText.h"
#include "TarnKit/Suite/Commands/TarnSuiteApp.h"

namespace tarn {

// Suite files keep their keys in declaration order.
using SuiteJson = nlohmann::ordered_json;

template <typename T> struct SuiteJsonValue;

template <typename T>
concept SuiteRecord = requires(const T& record, const nlohmann::json& json)
{
    {
        record.toJson()
        } -> std::same_as<std::optional<SuiteJson>>;
    {
        T::fromJson(json)
        } -> std::same_as<DecodeResult<T>>;
    {
        record == record
        } -> std::same_as<bool>;
};

// An enumeration written as its raw value (the `rawValue` beside it); reading takes exactly one of
// the raw values, in the same letter case.
template <typename Enum, std::optional<Enum> (*fromRawValue)(std::string_view)> struct RawValueSuiteJsonValue {
    static constexpr std::string_view kExpected = "expected one of the raw values";
    static std::optional<Enum> decode(const nlohmann::json& value)
    {
        return value.is_string() ? fromRawValue(value.get_ref<const std::string&>()) : std::nullopt;
    }
    static std::optional<SuiteJson> encode(Enum value) { return SuiteJson(std::string(rawValue(value))); }
    static bool equal(Enum lhs, Enum rhs) { return lhs == rhs; }
};

template <> struct SuiteJsonValue<TarnSuiteApp> : RawValueSuiteJsonValue<TarnSuiteApp, tarnSuiteAppFromRawValue> {
};

// The parts every plain value shares: a JSON value from `T` always exists, and `==` is equality.
template <typename T> struct PlainSuiteJsonValue {
    static std::optional<SuiteJson> encode(const T& value) { return SuiteJson(value); }
    static bool equal(const T& lhs, const T& rhs) { return lhs == rhs; }
};

template <> struct SuiteJsonValue<bool> : PlainSuiteJsonValue<bool> {
    static constexpr std::string_view kExpected = "expected true or false";
    static std::optional<bool> decode(const nlohmann::json& value) { return StrictJson::boolean(value); }
};

template <> struct SuiteJsonValue<std::int32_t> : PlainSuiteJsonValue<std::int32_t> {
    static constexpr std::string_view kExpected = "expected a whole number that fits 32 bits";
    static std::optional<std::int32_t> decode(const nlohmann::json& value)
    {
        return StrictJson::wholeNumber<std::int32_t>(value);
    }
};

template <> struct SuiteJsonValue<std::int64_t> : PlainSuiteJsonValue<std::int64_t> {
    static constexpr std::string_view kExpected = "expected a whole number that fits 64 bits";
    static std::optional<std::int64_t> decode(const nlohmann::json& value)
    {
        return StrictJson::wholeNumber<std::int64_t>(value);
    }
};

template <> struct SuiteJsonValue<double> : PlainSuiteJsonValue<double> {
    static constexpr std::string_view kExpected = "expected a finite number";
    static std::optional<double> decode(const nlohmann::json& value) { return StrictJson::number(value); }
    static std::optional<SuiteJson> encode(double value)
    {
        return std::isfinite(value) ? std::optional<SuiteJson>(value) : std::nullopt;
    }
};

template <> struct SuiteJsonValue<float> : PlainSuiteJsonValue<float> {
    static constexpr std::string_view kExpected = "expected a number within the range of a 32-bit float";
    static std::optional<float> decode(const nlohmann::json& value) { return StrictJson::float32(value); }
    // Written with the fewest digits that give the float back (0.1, not 0.10000000149011612).
    static std::optional<SuiteJson> encode(float value);
};

template <> struct SuiteJsonValue<std::string> {
    static constexpr std::string_view kExpected = "expected a string";
    static std::optional<std::string> decode(const nlohmann::json& value) { return StrictJson::string(value); }
    static std::optional<SuiteJson> encode(const std::string& value) { return SuiteJson(value); }
    static bool equal(const std::string& lhs, const std::string& rhs)
    {
        return UnicodeText::canonicallyEquivalent(lhs, rhs);
    }
};

template <> struct SuiteJsonValue<WallTime> {
    static constexpr std::string_view kExpected = "expected a date as YYYY-MM-DDTHH:MM:SSZ";
    static std::optional<WallTime> decode(const nlohmann::json& value)
    {
        return value.is_string() ? suiteDateFromText(value.get_ref<const std::string&>()) : std::nullopt;
    }
    static std::optional<SuiteJson> encode(WallTime value) { return SuiteJson(suiteDateText(value)); }
    static bool equal(WallTime lhs, WallTime rhs) { return lhs == rhs; }
};

template <SuiteRecord T> struct SuiteJsonValue<T> {
    static constexpr std::string_view kExpected = "expected a complete record";
    static std::optional<T> decode(const nlohmann::json& value)
    {
        auto decoded = T::fromJson(value);
        return decoded ? std::optional<T>(std::move(decoded).value()) : std::nullopt;
    }
    static std::optional<SuiteJson> encode(const T& value) { return value.toJson(); }
    static bool equal(const T& lhs, const T& rhs) { return lhs == rhs; }
};

template <typename T> struct SuiteJsonValue<std::vector<T>> {
    static constexpr std::string_view kExpected = "expected an array of which every element is valid";

    static std::optional<std::vector<T>> decode(const nlohmann::json& value)
    {
        if (!value.is_array()) {
            return std::nullopt;
        }
        std::vector<T> elements;
        elements.reserve(value.size());
        for (const auto& element : value) {
            auto decoded = SuiteJsonValue<T>::decode(element);
            if (!decoded) {
                return std::nullopt;
            }
            elements.push_back(std::move(*decoded));
        }
        return elements;
    }

    static std::optional<SuiteJson> encode(const std::vector<T>& elements)
    {
        SuiteJson array = SuiteJson::array();
        for (const auto& element : elements) {
            auto encoded = SuiteJsonValue<T>::encode(element);
            if (!encoded) {
                return std::nullopt;
            }
            array.push_back(std::move(*encoded));
        }
        return array;
    }

    static bool equal(const std::vector<T>& lhs, const std::vector<T>& rhs)
    {
        if (lhs.size() != rhs.size()) {
            return false;
        }
        for (std::size_t index = 0; index < lhs.size(); ++index) {
            if (!SuiteJsonValue<T>::equal(lhs[index], rhs[index])) {
                return false;
            }
        }
        return true;
    }
};

// An optional field: absent when its key is missing or null, left out when written.
template <typename T> struct SuiteJsonValue<std::optional<T>> {
    static bool equal(const std::optional<T>& lhs, const std::optional<T>& rhs)
    {
        if (!lhs || !rhs) {
            return !lhs && !rhs;
        }
        return SuiteJsonValue<T>::equal(*lhs, *rhs);
    }
};

} // namespace tarn
