#include "TarnInputCore/Model/Profiles/AppInputProfile.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/Settings/ModelJson.h"

namespace tarn::input {

using nlohmann::json;
using namespace model_json;

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
    return decodeRecord(value, AppInputProfile {}, [](auto& reader, AppInputProfile& profile) {
        if (!reader.optional("id", &AppInputProfile::id, kUuid)) {
            profile.id = Uuid::random();
        }
        reader.optional("bundleIdentifier", &AppInputProfile::bundleIdentifier, kString);
        reader.optional("appName", &AppInputProfile::appName, kString);
        reader.optional("isEnabled", &AppInputProfile::isEnabled, kBoolean);
        reader.optional("reverseMouseWheelOverride", &AppInputProfile::reverseMouseWheelOverride, kBoolean);
        reader.optional("smoothScrollOverride", &AppInputProfile::smoothScrollOverride, kBoolean);
        reader.optional(
            "scrollSpeedMultiplierOverride", &AppInputProfile::scrollSpeedMultiplierOverride, kFiniteNumber);
        constexpr std::string_view kNotButtons = "expected an object keyed by button numbers";
        reader.integerKeyedMap("buttonActionOverrides", &AppInputProfile::buttonActionOverrides, kAction, kNotButtons);
        reader.integerKeyedMap("macroBindings", &AppInputProfile::macroBindings, kUuid, kNotButtons);
    });
}

} // namespace tarn::input
