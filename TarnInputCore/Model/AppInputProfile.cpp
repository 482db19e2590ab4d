#include "TarnInputCore/Model/AppInputProfile.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/ModelJson.h"
#include "TarnKit/Foundation/StrictJson.h"

namespace tarn::input {

using nlohmann::json;
using namespace model_json;

namespace {

std::optional<bool> optionalBoolean(const json& object, std::string_view key, std::optional<DecodeError>& error)
{
    const json* value = presentValue(object, key);
    if (value == nullptr) {
        return std::nullopt;
    }
    const auto decoded = StrictJson::boolean(*value);
    if (!decoded) {
        error = failure(key, "expected true or false");
    }
    return decoded;
}

std::optional<std::string> optionalString(const json& object, std::string_view key, std::optional<DecodeError>& error)
{
    const json* value = presentValue(object, key);
    if (value == nullptr) {
        return std::nullopt;
    }
    if (!value->is_string()) {
        error = failure(key, "expected a string");
        return std::nullopt;
    }
    return value->get<std::string>();
}

// An object keyed by decimal button numbers, each value read by `decodeValue`.
template <typename Value, typename Decode>
std::map<std::int64_t, Value> buttonMap(const json& object, std::string_view key, Decode decodeValue,
    std::string_view expected, std::optional<DecodeError>& error)
{
    std::map<std::int64_t, Value> map;
    const json* value = presentValue(object, key);
    if (value == nullptr) {
        return map;
    }
    if (!value->is_object()) {
        error = failure(key, "expected an object keyed by button numbers");
        return map;
    }
    for (const auto& [entryKey, entryValue] : value->items()) {
        const auto button = decimalKey(entryKey);
        if (!button) {
            error = failure(std::string(key) + "." + entryKey, "the key is not a decimal integer");
            return map;
        }
        const auto decoded = decodeValue(entryValue);
        if (!decoded) {
            error = failure(std::string(key) + "." + entryKey, std::string(expected));
            return map;
        }
        map[*button] = *decoded;
    }
    return map;
}

} // namespace

std::optional<MouseButtonAction> AppInputProfile::buttonAction(MouseButtonKind kind) const
{
    const auto found = buttonActionOverrides.find(rawValue(kind));
    if (found == buttonActionOverrides.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<Uuid> AppInputProfile::macroID(MouseButtonKind kind) const
{
    const auto found = macroBindings.find(rawValue(kind));
    if (found == macroBindings.end()) {
        return std::nullopt;
    }
    return found->second;
}

nlohmann::json AppInputProfile::toJson() const
{
    json object = json::object();
    object["id"] = id.toString();
    object["bundleIdentifier"] = bundleIdentifier;
    object["appName"] = appName;
    object["isEnabled"] = isEnabled;
    json& actions = object["buttonActionOverrides"] = json::object();
    for (const auto& [button, action] : buttonActionOverrides) {
        actions[std::to_string(button)] = rawValue(action);
    }
    json& bindings = object["macroBindings"] = json::object();
    for (const auto& [button, macro] : macroBindings) {
        bindings[std::to_string(button)] = macro.toString();
    }
    if (reverseMouseWheelOverride) {
        object["reverseMouseWheelOverride"] = *reverseMouseWheelOverride;
    }
    if (smoothScrollOverride) {
        object["smoothScrollOverride"] = *smoothScrollOverride;
    }
    // A speed that is not a finite number cannot be written as JSON; it is left out as unset.
    if (scrollSpeedMultiplierOverride && std::isfinite(*scrollSpeedMultiplierOverride)) {
        object["scrollSpeedMultiplierOverride"] = *scrollSpeedMultiplierOverride;
    }
    return object;
}

DecodeResult<AppInputProfile> AppInputProfile::fromJson(const nlohmann::json& value)
{
    if (!value.is_object()) {
        return fail(failure("", "expected an object"));
    }
    AppInputProfile profile;
    std::optional<DecodeError> error;

    if (const json* idValue = presentValue(value, "id")) {
        const auto parsed = uuidValue(*idValue);
        if (!parsed) {
            return fail(failure("id", "expected a UUID string"));
        }
        profile.id = *parsed;
    } else {
        profile.id = Uuid::random();
    }

    profile.bundleIdentifier = optionalString(value, "bundleIdentifier", error).value_or("");
    if (!error) {
        profile.appName = optionalString(value, "appName", error).value_or("");
    }
    if (!error) {
        profile.isEnabled = optionalBoolean(value, "isEnabled", error).value_or(true);
    }
    if (!error) {
        profile.reverseMouseWheelOverride = optionalBoolean(value, "reverseMouseWheelOverride", error);
    }
    if (!error) {
        profile.smoothScrollOverride = optionalBoolean(value, "smoothScrollOverride", error);
    }
    if (!error) {
        if (const json* speedValue = presentValue(value, "scrollSpeedMultiplierOverride")) {
            profile.scrollSpeedMultiplierOverride = StrictJson::number(*speedValue);
            if (!profile.scrollSpeedMultiplierOverride) {
                error = failure("scrollSpeedMultiplierOverride", "expected a finite number");
            }
        }
    }
    if (!error) {
        profile.buttonActionOverrides = buttonMap<MouseButtonAction>(
            value, "buttonActionOverrides", mouseButtonActionValue, "expected the name of an action", error);
    }
    if (!error) {
        profile.macroBindings = buttonMap<Uuid>(value, "macroBindings", uuidValue, "expected a UUID string", error);
    }
    if (error) {
        return fail(std::move(*error));
    }
    return profile;
}

} // namespace tarn::input
