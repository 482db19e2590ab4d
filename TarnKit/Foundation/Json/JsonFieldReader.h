#pragma once

// Reads the fields of one JSON object into a record, key by key, in the order the caller asks.
// A required field fails when its key is missing or null; an optional one then keeps the record's
// value. The first value that does not decode stops the reading and is kept as the error: every
// later call does nothing. Records of every layer read their JSON through this one reader, each
// with the value kinds of its own types.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn::json_field {

// How a value of one kind is read, and what the error says when it cannot be.
template <typename T> struct ValueKind {
    std::optional<T> (*decode)(const nlohmann::json&);
    std::string_view expected;
};

inline DecodeError failure(std::string_view key, std::string message)
{
    return DecodeError {std::string(key), std::move(message)};
}

// The error of a value decoded under `key` (or "[index]"), seen from the enclosing value.
inline DecodeError nested(std::string_view key, DecodeError inner)
{
    std::string path(key);
    if (!inner.path.empty()) {
        if (inner.path.front() != '[') {
            path += '.';
        }
        path += inner.path;
    }
    return DecodeError {std::move(path), std::move(inner.message)};
}

inline std::string indexKey(std::size_t index)
{
    return "[" + std::to_string(index) + "]";
}

// The value under `key`, or null when the key is missing or holds JSON null: both read as absent.
inline const nlohmann::json* presentValue(const nlohmann::json& object, std::string_view key)
{
    const auto found = object.find(key);
    if (found == object.end() || found->is_null()) {
        return nullptr;
    }
    return &*found;
}

inline std::optional<Uuid> uuidValue(const nlohmann::json& value)
{
    if (!value.is_string()) {
        return std::nullopt;
    }
    return Uuid::parse(value.get_ref<const std::string&>());
}

// A map key written as a decimal integer ("3", "-1", "+4"); anything else is not a key.
std::optional<std::int64_t> decimalKey(std::string_view text);

inline constexpr ValueKind<bool> kBoolean {StrictJson::boolean, "expected true or false"};
inline constexpr ValueKind<double> kFiniteNumber {StrictJson::number, "expected a finite number"};
inline constexpr ValueKind<std::string> kString {StrictJson::string, "expected a string"};
inline constexpr ValueKind<std::int64_t> kInteger64 {StrictJson::integer<std::int64_t>, "expected a 64-bit integer"};
inline constexpr ValueKind<Uuid> kUuid {uuidValue, "expected a UUID string"};

template <typename Record> class JsonFieldReader;

// Decodes one JSON object into `record` (which holds the defaults) with `readFields`, which gets
// the reader and the record; a value that is not an object, or the first bad field, fails.
template <typename Record, typename ReadFields>
DecodeResult<Record> decodeRecord(const nlohmann::json& value, Record record, ReadFields readFields)
{
    if (!value.is_object()) {
        return fail(failure("", "expected an object"));
    }
    JsonFieldReader<Record> reader(value, record);
    readFields(reader, record);
    if (reader.error()) {
        return fail(*reader.error());
    }
    return record;
}

template <typename Record> class JsonFieldReader {
public:
    // The object must be a JSON object and outlive the reader.
    JsonFieldReader(const nlohmann::json& object, Record& record)
        : m_object(object)
        , m_record(record)
    {
    }

    const std::optional<DecodeError>& error() const { return m_error; }

    template <typename T> void required(std::string_view key, T Record::*field, ValueKind<T> kind)
    {
        if (m_error) {
            return;
        }
        if (const nlohmann::json* value = presentValue(m_object, key)) {
            decodeInto(key, *value, m_record.*field, kind);
        } else {
            m_error = failure(key, "required key is missing");
        }
    }

    // Whether the key held a value that decoded.
    template <typename T> bool optional(std::string_view key, T Record::*field, ValueKind<T> kind)
    {
        const nlohmann::json* value = present(key);
        return value != nullptr && decodeInto(key, *value, m_record.*field, kind);
    }

    // A field that is unset while its key is missing or null.
    template <typename T> void optional(std::string_view key, std::optional<T> Record::*field, ValueKind<T> kind)
    {
        if (const nlohmann::json* value = present(key)) {
            if (auto decoded = decodedValue(key, *value, kind)) {
                m_record.*field = std::move(decoded);
            }
        }
    }

    // An optional array of strings.
    void strings(std::string_view key, std::vector<std::string> Record::*field)
    {
        array(key, field, "expected an array of strings",
            [this](const nlohmann::json& element, const std::string& path) -> std::optional<std::string> {
                if (!element.is_string()) {
                    m_error = failure(path, "expected a string");
                    return std::nullopt;
                }
                return element.get<std::string>();
            });
    }

    // An optional array of records, each decoded by its own `fromJson`.
    template <typename Element>
    void records(std::string_view key, std::vector<Element> Record::*field, std::string_view notAnArray)
    {
        array(key, field, notAnArray, [this](const nlohmann::json& element, const std::string& path) {
            return nestedValue(path, Element::fromJson(element));
        });
    }

    // A required value decoded by a function of its own, whose errors are seen from this record.
    template <typename T, typename Decode> void required(std::string_view key, T Record::*field, Decode decode)
    {
        if (m_error) {
            return;
        }
        if (const nlohmann::json* value = presentValue(m_object, key)) {
            if (auto decoded = nestedValue(std::string(key), decode(*value))) {
                m_record.*field = std::move(*decoded);
            }
        } else {
            m_error = failure(key, "required key is missing");
        }
    }

    // An optional object keyed by decimal integers; `notAnObject` says what else is refused.
    template <typename T>
    void integerKeyedMap(
        std::string_view key, std::map<std::int64_t, T> Record::*field, ValueKind<T> kind, std::string_view notAnObject)
    {
        const nlohmann::json* value = present(key);
        if (value == nullptr) {
            return;
        }
        if (!value->is_object()) {
            m_error = failure(key, std::string(notAnObject));
            return;
        }
        std::map<std::int64_t, T> decoded;
        for (const auto& [entryKey, entryValue] : value->items()) {
            const std::string path = std::string(key) + "." + entryKey;
            const auto number = decimalKey(entryKey);
            if (!number) {
                m_error = failure(path, "the key is not a decimal integer");
                return;
            }
            const auto entry = kind.decode(entryValue);
            if (!entry) {
                m_error = failure(path, std::string(kind.expected));
                return;
            }
            decoded[*number] = *entry;
        }
        m_record.*field = std::move(decoded);
    }

private:
    template <typename Element, typename DecodeElement>
    void array(std::string_view key, std::vector<Element> Record::*field, std::string_view notAnArray,
        DecodeElement decodeElement)
    {
        const nlohmann::json* value = present(key);
        if (value == nullptr) {
            return;
        }
        if (!value->is_array()) {
            m_error = failure(key, std::string(notAnArray));
            return;
        }
        std::vector<Element> decoded;
        decoded.reserve(value->size());
        for (std::size_t index = 0; index < value->size(); ++index) {
            auto element = decodeElement((*value)[index], std::string(key) + indexKey(index));
            if (!element) {
                return;
            }
            decoded.push_back(std::move(*element));
        }
        m_record.*field = std::move(decoded);
    }

    template <typename T> std::optional<T> nestedValue(const std::string& path, DecodeResult<T> result)
    {
        if (!result) {
            m_error = nested(path, result.error());
            return std::nullopt;
        }
        return std::move(result).value();
    }

    // Null when the key is missing or null, or when an earlier key failed.
    const nlohmann::json* present(std::string_view key) const
    {
        return m_error ? nullptr : presentValue(m_object, key);
    }

    template <typename T>
    std::optional<T> decodedValue(std::string_view key, const nlohmann::json& value, ValueKind<T> kind)
    {
        auto decoded = kind.decode(value);
        if (!decoded) {
            m_error = failure(key, std::string(kind.expected));
        }
        return decoded;
    }

    template <typename T>
    bool decodeInto(std::string_view key, const nlohmann::json& value, T& target, ValueKind<T> kind)
    {
        auto decoded = decodedValue(key, value, kind);
        if (!decoded) {
            return false;
        }
        target = std::move(*decoded);
        return true;
    }

    const nlohmann::json& m_object;
    Record& m_record;
    std::optional<DecodeError> m_error;
};

} // namespace tarn::json_field
