#pragma once

// Small helpers shared by the configuration's JSON coders: strict readers for the model's own
// value kinds and the bookkeeping of where a decoding failed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/DecodeError.h"
#include "TarnInputCore/Model/KeyHUDPosition.h"
#include "TarnInputCore/Model/MouseButtonAction.h"
#include "TarnInputCore/Model/MouseButtonKind.h"
#include "TarnKit/Foundation/Uuid.h"

namespace tarn::input::model_json {

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

std::optional<MouseButtonKind> mouseButtonKindValue(const nlohmann::json& value);
std::optional<MouseButtonAction> mouseButtonActionValue(const nlohmann::json& value);
std::optional<KeyHUDPosition> keyHUDPositionValue(const nlohmann::json& value);

// A map key written as a decimal integer ("3", "-1", "+4"); anything else is not a key.
std::optional<std::int64_t> decimalKey(std::string_view text);

} // namespace tarn::input::model_json
