#include "TarnInputCore/Model/Macros/MacroStepKind.h"

#include <array>

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/Keys/KeyModifiers.h"
#include "TarnInputCore/Model/Keys/KeySymbols.h"
#include "TarnInputCore/Model/Settings/ModelJson.h"
#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn::input {

namespace {

using nlohmann::json;
using namespace model_json;

constexpr std::string_view kKeystrokeKey = "keystroke";
constexpr std::string_view kDelayKey = "delayMs";
constexpr std::string_view kTextKey = "typeText";
// Associated values without a label are stored under the position's name.
constexpr std::string_view kFirstValueKey = "_0";

DecodeResult<MacroStepKind> keystrokeFromJson(const json& inner)
{
    const json* keyCodeValue = presentValue(inner, "keyCode");
    if (keyCodeValue == nullptr) {
        return fail(failure("keyCode", "required key is missing"));
    }
    const auto keyCode = StrictJson::integer<std::uint16_t>(*keyCodeValue);
    if (!keyCode) {
        return fail(failure("keyCode", "expected an integer from 0 to 65535"));
    }

    const json* modifiersValue = presentValue(inner, "modifiers");
    if (modifiersValue == nullptr) {
        return fail(failure("modifiers", "required key is missing"));
    }
    if (!modifiersValue->is_array()) {
        return fail(failure("modifiers", "expected an array of strings"));
    }
    std::vector<std::string> modifiers;
    modifiers.reserve(modifiersValue->size());
    for (std::size_t index = 0; index < modifiersValue->size(); ++index) {
        const json& word = (*modifiersValue)[index];
        if (!word.is_string()) {
            return fail(failure("modifiers" + indexKey(index), "expected a string"));
        }
        modifiers.push_back(word.get<std::string>());
    }

    const json* labelValue = presentValue(inner, "label");
    if (labelValue == nullptr) {
        return fail(failure("label", "required key is missing"));
    }
    if (!labelValue->is_string()) {
        return fail(failure("label", "expected a string"));
    }
    return MacroStepKind {MacroKeystroke {*keyCode, std::move(modifiers), labelValue->get<std::string>()}};
}

DecodeResult<MacroStepKind> delayFromJson(const json& inner)
{
    const json* value = presentValue(inner, kFirstValueKey);
    if (value == nullptr) {
        return fail(failure(kFirstValueKey, "required key is missing"));
    }
    const auto milliseconds = StrictJson::integer<std::int64_t>(*value);
    if (!milliseconds) {
        return fail(failure(kFirstValueKey, "expected a 64-bit integer"));
    }
    return MacroStepKind {MacroDelay {*milliseconds}};
}

DecodeResult<MacroStepKind> textFromJson(const json& inner)
{
    const json* value = presentValue(inner, kFirstValueKey);
    if (value == nullptr) {
        return fail(failure(kFirstValueKey, "required key is missing"));
    }
    if (!value->is_string()) {
        return fail(failure(kFirstValueKey, "expected a string"));
    }
    return MacroStepKind {MacroTypeText {value->get<std::string>()}};
}

} // namespace

std::string MacroKeystroke::glyphLabel(std::uint16_t keyCode, const std::vector<std::string>& modifiers)
{
    return KeySymbols::modifierSymbols(KeyModifiers::fromWords(modifiers))
        + std::string(KeySymbols::symbolForKeyCode(keyCode).value_or("Key"));
}

nlohmann::json macroStepKindToJson(const MacroStepKind& kind)
{
    json object = json::object();
    if (const auto* keystroke = std::get_if<MacroKeystroke>(&kind)) {
        json& inner = object[kKeystrokeKey];
        inner["keyCode"] = keystroke->keyCode;
        inner["modifiers"] = keystroke->modifiers;
        inner["label"] = keystroke->label;
    } else if (const auto* delay = std::get_if<MacroDelay>(&kind)) {
        object[kDelayKey][kFirstValueKey] = delay->milliseconds;
    } else if (const auto* text = std::get_if<MacroTypeText>(&kind)) {
        object[kTextKey][kFirstValueKey] = text->text;
    }
    return object;
}

DecodeResult<MacroStepKind> macroStepKindFromJson(const nlohmann::json& value)
{
    if (!value.is_object()) {
        return fail(failure("", "expected an object naming the step's kind"));
    }
    // Keys that name no case are ignored; exactly one case key must remain.
    std::string_view caseKey;
    int caseKeys = 0;
    for (const std::string_view key : std::array {kKeystrokeKey, kDelayKey, kTextKey}) {
        if (value.contains(key)) {
            caseKey = key;
            ++caseKeys;
        }
    }
    if (caseKeys != 1) {
        return fail(failure("", "Invalid number of keys found, expected one."));
    }

    const json& inner = value.at(caseKey);
    if (!inner.is_object()) {
        return fail(failure(caseKey, "expected an object"));
    }
    auto decoded = caseKey == kKeystrokeKey ? keystrokeFromJson(inner)
        : caseKey == kDelayKey              ? delayFromJson(inner)
                                            : textFromJson(inner);
    if (!decoded) {
        return fail(nested(caseKey, decoded.error()));
    }
    return decoded;
}

} // namespace tarn::input
