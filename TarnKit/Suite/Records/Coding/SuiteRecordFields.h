#pragma once

// Writes, reads and compares a suite record from one table of its fields: each JSON key with
// the member it holds, in declaration order. Every record codes through this one table, so its
// keys, their order and its equality cannot drift apart.
//
//   constexpr auto fields = std::tuple {SuiteField {"timestamp", &Status::m_timestamp}, ...};
//
// Writing puts the keys in table order and leaves an absent optional out (never null); it
// fails as a whole when one value cannot be written. Reading goes through the kit's field
// reader and ignores keys the table does not name. A missing or null key makes an optional
// member absent; any other member refuses it, or keeps the value the record was given when
// its field says so.

#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Json/JsonFieldReader.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"

namespace tarn {

// What reading does when the key of a field that is not optional is missing or null.
enum class SuiteFieldAbsence {
    refused, // the record fails to decode
    keepsDefault, // the field keeps the value of the record reading started from
};

template <typename Record, typename T> struct SuiteField {
    std::string_view key;
    T Record::*member;
    SuiteFieldAbsence whenAbsent = SuiteFieldAbsence::refused;
};

// Spelled out for compilers without deduction for aggregates (clang before 17, for the fuzzers).
template <typename Record, typename T> SuiteField(std::string_view, T Record::*) -> SuiteField<Record, T>;
template <typename Record, typename T>
SuiteField(std::string_view, T Record::*, SuiteFieldAbsence) -> SuiteField<Record, T>;

namespace suite_fields {

template <typename T> inline constexpr bool kIsOptional = false;
template <typename T> inline constexpr bool kIsOptional<std::optional<T>> = true;

template <typename T> constexpr json_field::ValueKind<T> valueKind()
{
    return {&SuiteJsonValue<T>::decode, SuiteJsonValue<T>::kExpected};
}

template <typename Record, typename T>
bool encodeField(SuiteJson& object, const Record& record, const SuiteField<Record, T>& field)
{
    const T& value = record.*field.member;
    std::optional<SuiteJson> encoded;
    if constexpr (kIsOptional<T>) {
        if (!value) {
            return true;
        }
        encoded = SuiteJsonValue<typename T::value_type>::encode(*value);
    } else {
        encoded = SuiteJsonValue<T>::encode(value);
    }
    if (!encoded) {
        return false;
    }
    object[std::string(field.key)] = std::move(*encoded);
    return true;
}

template <typename Record, typename T>
void readField(json_field::JsonFieldReader<Record>& reader, const SuiteField<Record, T>& field)
{
    if constexpr (kIsOptional<T>) {
        reader.optional(field.key, field.member, valueKind<typename T::value_type>());
    } else if (field.whenAbsent == SuiteFieldAbsence::keepsDefault) {
        reader.optional(field.key, field.member, valueKind<T>());
    } else {
        reader.required(field.key, field.member, valueKind<T>());
    }
}

} // namespace suite_fields

// The record as one JSON object, or none when a value cannot be written.
template <typename Record, typename... Fields>
std::optional<SuiteJson> encodeSuiteFields(const Record& record, const std::tuple<Fields...>& fields)
{
    SuiteJson object = SuiteJson::object();
    const bool written = std::apply(
        [&](const auto&... field) { return (suite_fields::encodeField(object, record, field) && ...); }, fields);
    return written ? std::optional<SuiteJson>(std::move(object)) : std::nullopt;
}

// Reads `value` into a copy of `start`, which holds what absent fields keep.
template <typename Record, typename... Fields>
DecodeResult<Record> decodeSuiteFields(const nlohmann::json& value, Record start, const std::tuple<Fields...>& fields)
{
    return json_field::decodeRecord(value, std::move(start), [&fields](auto& reader, Record&) {
        std::apply([&reader](const auto&... field) { (suite_fields::readField(reader, field), ...); }, fields);
    });
}

template <typename Record, typename... Fields>
bool suiteFieldsEqual(const Record& lhs, const Record& rhs, const std::tuple<Fields...>& fields)
{
    return std::apply(
        [&](const auto&... field) {
            return (SuiteJsonValue<std::remove_cvref_t<decltype(lhs.*field.member)>>::equal(
                        lhs.*field.member, rhs.*field.member)
                && ...);
        },
        fields);
}

} // namespace tarn
