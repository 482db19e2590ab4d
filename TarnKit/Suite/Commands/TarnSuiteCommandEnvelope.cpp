#include "TarnKit/Suite/Commands/TarnSuiteCommandEnvelope.h"

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Suite/Commands/SuiteDateText.h"

namespace tarn {
namespace {

// A present key's value; null when the key is missing.
const nlohmann::json* member(const nlohmann::json& object, const char* key)
{
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

// A required value read by `decode`; absent when the key is missing or the value does not decode.
template <typename Decode> auto required(const nlohmann::json& object, const char* key, Decode decode)
{
    const nlohmann::json* value = member(object, key);
    return value == nullptr ? decltype(decode(*value)) {} : decode(*value);
}

// An optional value: `field` stays absent when the key is missing or null; false when the value
// is there but does not decode.
template <typename T, typename Decode>
bool optional(const nlohmann::json& object, const char* key, std::optional<T>& field, Decode decode)
{
    const nlohmann::json* value = member(object, key);
    if (value == nullptr || value->is_null()) {
        return true;
    }
    field = decode(*value);
    return field.has_value();
}

template <typename T> auto fromString(std::optional<T> (*fromRaw)(std::string_view))
{
    return [fromRaw](const nlohmann::json& value) -> std::optional<T> {
        const auto text = StrictJson::string(value);
        return text ? fromRaw(*text) : std::nullopt;
    };
}

std::optional<Uuid> uuidValue(const nlohmann::json& value)
{
    const auto text = StrictJson::string(value);
    return text ? Uuid::parse(*text) : std::nullopt;
}

std::optional<WallTime> dateValue(const nlohmann::json& value)
{
    const auto text = StrictJson::string(value);
    return text ? suiteDateFromText(*text) : std::nullopt;
}

} // namespace

std::optional<std::string> TarnSuiteCommandEnvelope::toJson() const
{
    if ((targetName && !UnicodeText::isValidUtf8(*targetName)) || (payload && !UnicodeText::isValidUtf8(*payload))) {
        return std::nullopt;
    }
    nlohmann::ordered_json object;
    object["id"] = id.toString();
    object["timestamp"] = suiteDateText(timestamp);
    object["sourceApp"] = rawValue(sourceApp);
    object["targetApp"] = rawValue(targetApp);
    object["kind"] = rawValue(kind);
    if (targetPID) {
        object["targetPID"] = *targetPID;
    }
    if (targetName) {
        object["targetName"] = *targetName;
    }
    if (payload) {
        object["payload"] = *payload;
    }
    return StrictJson::dump(object);
}

std::optional<TarnSuiteCommandEnvelope> TarnSuiteCommandEnvelope::fromJson(std::string_view text)
{
    const auto object = StrictJson::parse(text);
    if (!object || !object->is_object()) {
        return std::nullopt;
    }
    const auto id = required(*object, "id", uuidValue);
    const auto timestamp = required(*object, "timestamp", dateValue);
    const auto sourceApp = required(*object, "sourceApp", fromString(tarnSuiteAppFromRawValue));
    const auto targetApp = required(*object, "targetApp", fromString(tarnSuiteAppFromRawValue));
    const auto kind = required(*object, "kind", fromString(tarnSuiteCommandKindFromRawValue));
    if (!id || !timestamp || !sourceApp || !targetApp || !kind) {
        return std::nullopt;
    }
    TarnSuiteCommandEnvelope envelope {*id, *timestamp, *sourceApp, *targetApp, *kind, {}, {}, {}};
    if (!optional(*object, "targetPID", envelope.targetPID, StrictJson::integer<std::int32_t>)
        || !optional(*object, "targetName", envelope.targetName, StrictJson::string)
        || !optional(*object, "payload", envelope.payload, StrictJson::string)) {
        return std::nullopt;
    }
    // As send refuses them: 0 and 1 are the scheduler and init, and a negative number names a
    // whole process group to kill(2). No command of the family is about them.
    if (envelope.targetPID && *envelope.targetPID < 2) {
        return std::nullopt;
    }
    return envelope;
}

} // namespace tarn
