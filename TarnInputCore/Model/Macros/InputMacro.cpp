#include "TarnInputCore/Model/Macros/InputMacro.h"

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/Settings/ModelJson.h"

namespace tarn::input {

using nlohmann::json;
using namespace model_json;

nlohmann::json InputMacro::toJson() const
{
    json object = json::object();
    object["id"] = id.toString();
    object["name"] = name;
    object["description"] = description;
    json& stepArray = object["steps"] = json::array();
    for (const auto& step : steps) {
        stepArray.push_back(step.toJson());
    }
    object["isEnabled"] = isEnabled;
    // No trigger is written as no key at all.
    if (triggerButtonNumber) {
        object["triggerButtonNumber"] = *triggerButtonNumber;
    }
    return object;
}

DecodeResult<InputMacro> InputMacro::fromJson(const nlohmann::json& value)
{
    InputMacro defaults;
    defaults.name = "Macro";
    return decodeRecord(value, std::move(defaults), [](auto& reader, InputMacro& macro) {
        if (!reader.optional("id", &InputMacro::id, kUuid)) {
            macro.id = Uuid::random();
        }
        reader.optional("name", &InputMacro::name, kString);
        reader.optional("description", &InputMacro::description, kString);
        reader.optional("triggerButtonNumber", &InputMacro::triggerButtonNumber, kInteger64);
        reader.records("steps", &InputMacro::steps, "expected an array of steps");
        reader.optional("isEnabled", &InputMacro::isEnabled, kBoolean);
    });
}

} // namespace tarn::input
