#include "TarnInputCore/Model/AppButtonRule.h"

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/ModelJson.h"
#include "TarnKit/Foundation/StrictJson.h"

namespace tarn::input {

using nlohmann::json;
using namespace model_json;

nlohmann::json AppButtonRule::toJson() const
{
    json object = json::object();
    object["id"] = id.toString();
    object["bundleIdentifier"] = bundleIdentifier;
    object["appDisplayName"] = appDisplayName;
    object["button"] = rawValue(button);
    object["action"] = rawValue(action);
    object["isEnabled"] = isEnabled;
    return object;
}

DecodeResult<AppButtonRule> AppButtonRule::fromJson(const nlohmann::json& value)
{
    if (!value.is_object()) {
        return fail(failure("", "expected an object"));
    }
    // A rule has no defaults: every key is required, and null counts as missing.
    const auto required = [&value](std::string_view key) { return presentValue(value, key); };

    AppButtonRule rule;
    const json* idValue = required("id");
    if (idValue == nullptr) {
        return fail(failure("id", "required key is missing"));
    }
    const auto id = uuidValue(*idValue);
    if (!id) {
        return fail(failure("id", "expected a UUID string"));
    }
    rule.id = *id;

    const json* bundleValue = required("bundleIdentifier");
    if (bundleValue == nullptr) {
        return fail(failure("bundleIdentifier", "required key is missing"));
    }
    if (!bundleValue->is_string()) {
        return fail(failure("bundleIdentifier", "expected a string"));
    }
    rule.bundleIdentifier = bundleValue->get<std::string>();

    const json* nameValue = required("appDisplayName");
    if (nameValue == nullptr) {
        return fail(failure("appDisplayName", "required key is missing"));
    }
    if (!nameValue->is_string()) {
        return fail(failure("appDisplayName", "expected a string"));
    }
    rule.appDisplayName = nameValue->get<std::string>();

    const json* buttonValue = required("button");
    if (buttonValue == nullptr) {
        return fail(failure("button", "required key is missing"));
    }
    const auto button = mouseButtonKindValue(*buttonValue);
    if (!button) {
        return fail(failure("button", "expected the button number 2, 3 or 4"));
    }
    rule.button = *button;

    const json* actionValue = required("action");
    if (actionValue == nullptr) {
        return fail(failure("action", "required key is missing"));
    }
    const auto action = mouseButtonActionValue(*actionValue);
    if (!action) {
        return fail(failure("action", "expected the name of an action"));
    }
    rule.action = *action;

    const json* enabledValue = required("isEnabled");
    if (enabledValue == nullptr) {
        return fail(failure("isEnabled", "required key is missing"));
    }
    const auto enabled = StrictJson::boolean(*enabledValue);
    if (!enabled) {
        return fail(failure("isEnabled", "expected true or false"));
    }
    rule.isEnabled = *enabled;
    return rule;
}

} // namespace tarn::input
