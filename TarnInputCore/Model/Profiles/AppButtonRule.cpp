#include "TarnInputCore/Model/Profiles/AppButtonRule.h"

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/Settings/ModelJson.h"

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
    // A rule has no defaults: every key is required, and null counts as missing.
    return decodeRecord(value, AppButtonRule {}, [](auto& reader, AppButtonRule&) {
        reader.required("id", &AppButtonRule::id, kUuid);
        reader.required("bundleIdentifier", &AppButtonRule::bundleIdentifier, kString);
        reader.required("appDisplayName", &AppButtonRule::appDisplayName, kString);
        reader.required("button", &AppButtonRule::button, kButton);
        reader.required("action", &AppButtonRule::action, kAction);
        reader.required("isEnabled", &AppButtonRule::isEnabled, kBoolean);
    });
}

} // namespace tarn::input
