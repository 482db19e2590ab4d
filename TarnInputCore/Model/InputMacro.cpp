#include "TarnInputCore/Model/InputMacro.h"

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/ModelJson.h"
#include "TarnKit/Foundation/StrictJson.h"

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
    if (!value.is_object()) {
        return fail(failure("", "expected an object"));
    }
    InputMacro macro;
    macro.name = "Macro";

    if (const json* idValue = presentValue(value, "id")) {
        const auto parsed = uuidValue(*idValue);
        if (!parsed) {
            return fail(failure("id", "expected a UUID string"));
        }
        macro.id = *parsed;
    } else {
        macro.id = Uuid::random();
    }

    if (const json* nameValue = presentValue(value, "name")) {
        if (!nameValue->is_string()) {
            return fail(failure("name", "expected a string"));
        }
        macro.name = nameValue->get<std::string>();
    }

    if (const json* descriptionValue = presentValue(value, "description")) {
        if (!descriptionValue->is_string()) {
            return fail(failure("description", "expected a string"));
        }
        macro.description = descriptionValue->get<std::string>();
    }

    if (const json* triggerValue = presentValue(value, "triggerButtonNumber")) {
        const auto trigger = StrictJson::integer<std::int64_t>(*triggerValue);
        if (!trigger) {
            return fail(failure("triggerButtonNumber", "expected a 64-bit integer"));
        }
        macro.triggerButtonNumber = *trigger;
    }

    if (const json* stepsValue = presentValue(value, "steps")) {
        if (!stepsValue->is_array()) {
            return fail(failure("steps", "expected an array of steps"));
        }
        macro.steps.reserve(stepsValue->size());
        for (std::size_t index = 0; index < stepsValue->size(); ++index) {
            auto step = MacroStep::fromJson((*stepsValue)[index]);
            if (!step) {
                return fail(nested("steps" + indexKey(index), step.error()));
            }
            macro.steps.push_back(std::move(step).value());
        }
    }

    if (const json* enabledValue = presentValue(value, "isEnabled")) {
        const auto enabled = StrictJson::boolean(*enabledValue);
        if (!enabled) {
            return fail(failure("isEnabled", "expected true or false"));
        }
        macro.isEnabled = *enabled;
    }
    return macro;
}

} // namespace tarn::input
