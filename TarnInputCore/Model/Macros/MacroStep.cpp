#include "TarnInputCore/Model/Macros/MacroStep.h"

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/Keys/KeySymbols.h"
#include "TarnInputCore/Model/Keys/PostedKeys.h"
#include "TarnInputCore/Model/Settings/ModelJson.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {

namespace {

using nlohmann::json;
using namespace model_json;

// A text step's badge shows at most this many user-perceived characters.
constexpr std::size_t kBadgeTextCharacters = 18;

std::string keystrokeBadge(const MacroKeystroke& keystroke)
{
    std::string label = UnicodeText::trimmed(keystroke.label);
    if (!label.empty()) {
        return label;
    }
    std::string badge = KeySymbols::modifierSymbols(KeyModifiers::fromWords(keystroke.modifiers));
    if (const auto symbol = KeySymbols::symbolForKeyCode(keystroke.keyCode)) {
        badge += *symbol;
    } else {
        badge += "Key(" + std::to_string(keystroke.keyCode) + ")";
    }
    return badge;
}

// A label the user wrote says what they meant; the builder's glyphs only say which keys.
std::string keystrokeLinuxBadge(const MacroKeystroke& keystroke, bool turkish)
{
    std::string label = UnicodeText::trimmed(keystroke.label);
    if (!label.empty() && label != MacroKeystroke::glyphLabel(keystroke.keyCode, keystroke.modifiers)) {
        return label;
    }
    const auto flags = KeyModifiers::fromWords(keystroke.modifiers).eventFlags();
    return postedKeysText(postedKeysForShortcut(keystroke.keyCode, flags), turkish);
}

std::string textBadge(const std::string& text)
{
    std::string shown = text;
    if (UnicodeText::graphemeCount(text) > kBadgeTextCharacters) {
        shown = UnicodeText::graphemePrefix(text, kBadgeTextCharacters) + "…";
    }
    return "\"" + shown + "\"";
}

} // namespace

MacroStep MacroStep::keystroke(std::uint16_t keyCode, std::vector<std::string> modifiers, std::string label)
{
    return MacroStep {Uuid::random(), MacroKeystroke {keyCode, std::move(modifiers), std::move(label)}};
}

MacroStep MacroStep::delay(std::int64_t ms)
{
    return MacroStep {Uuid::random(), MacroDelay {ms}};
}

MacroStep MacroStep::typeText(std::string text)
{
    return MacroStep {Uuid::random(), MacroTypeText {std::move(text)}};
}

std::string MacroStep::displayBadge() const
{
    if (const auto* keystroke = std::get_if<MacroKeystroke>(&kind)) {
        return keystrokeBadge(*keystroke);
    }
    if (const auto* delay = std::get_if<MacroDelay>(&kind)) {
        return std::to_string(delay->milliseconds) + " ms";
    }
    return textBadge(std::get<MacroTypeText>(kind).text);
}

std::string MacroStep::linuxBadge(bool turkish) const
{
    if (const auto* keystroke = std::get_if<MacroKeystroke>(&kind)) {
        return keystrokeLinuxBadge(*keystroke, turkish);
    }
    return displayBadge();
}

nlohmann::json MacroStep::toJson() const
{
    json object = json::object();
    object["id"] = id.toString();
    object["kind"] = macroStepKindToJson(kind);
    return object;
}

DecodeResult<MacroStep> MacroStep::fromJson(const nlohmann::json& value)
{
    return decodeRecord(value, MacroStep {}, [](auto& reader, MacroStep& step) {
        if (!reader.optional("id", &MacroStep::id, kUuid)) {
            step.id = Uuid::random();
        }
        reader.required("kind", &MacroStep::kind, macroStepKindFromJson);
    });
}

} // namespace tarn::input
