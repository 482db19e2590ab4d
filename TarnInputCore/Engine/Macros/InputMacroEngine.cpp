#include "TarnInputCore/Engine/Macros/InputMacroEngine.h"

#include <algorithm>
#include <optional>
#include <variant>

#include "TarnInputCore/Engine/Macros/KeystrokeFormatter.h"
#include "TarnKit/Foundation/Basics/SaturatingArithmetic.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {
namespace {

std::int64_t characterCount(const std::string& text)
{
    return static_cast<std::int64_t>(UnicodeText::graphemeCount(text));
}

std::int64_t stepCost(const MacroStepKind& kind)
{
    if (std::holds_alternative<MacroKeystroke>(kind)) {
        return InputMacroEngine::keystrokeDurationMs;
    }
    if (const auto* delay = std::get_if<MacroDelay>(&kind)) {
        return std::max<std::int64_t>(delay->milliseconds, 0);
    }
    // At most 500 characters are valid, but an invalid text must not overflow the product.
    return saturatingMultiply(
        characterCount(std::get<MacroTypeText>(kind).text), InputMacroEngine::typeTextCharDurationMs);
}

std::optional<MacroValidationIssue> stepIssue(const MacroStepKind& kind, std::int64_t index)
{
    using Issue = MacroValidationIssue;
    if (const auto* keystroke = std::get_if<MacroKeystroke>(&kind)) {
        if (keystroke->keyCode > InputMacroEngine::maxValidKeyCode) {
            return Issue {Issue::InvalidKeyCode {index, keystroke->keyCode}};
        }
    } else if (const auto* delay = std::get_if<MacroDelay>(&kind)) {
        if (delay->milliseconds < 0 || delay->milliseconds > InputMacroEngine::maxDelayPerStepMs) {
            return Issue {Issue::InvalidDelay {index, delay->milliseconds}};
        }
    } else {
        const auto& text = std::get<MacroTypeText>(kind).text;
        if (text.empty()) {
            return Issue {Issue::EmptyText {index}};
        }
        if (characterCount(text) > InputMacroEngine::maxTextStepCharacters) {
            return Issue {Issue::TextTooLong {index, InputMacroEngine::maxTextStepCharacters}};
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<MacroValidationIssue> InputMacroEngine::validate(const InputMacro& macro)
{
    using Issue = MacroValidationIssue;
    std::vector<Issue> issues;
    if (UnicodeText::trimmed(macro.name).empty()) {
        issues.push_back({Issue::EmptyName {}});
    }
    if (macro.steps.empty()) {
        issues.push_back({Issue::EmptySteps {}});
    } else if (static_cast<std::int64_t>(macro.steps.size()) > maxStepsPerMacro) {
        issues.push_back({Issue::TooManySteps {maxStepsPerMacro}});
    }
    for (std::size_t index = 0; index < macro.steps.size(); ++index) {
        if (auto issue = stepIssue(macro.steps[index].kind, static_cast<std::int64_t>(index))) {
            issues.push_back(*issue);
        }
    }
    if (const auto total = estimatedDurationMs(macro); total > maxTotalDurationMs) {
        issues.push_back({Issue::TotalDurationTooLong {total, maxTotalDurationMs}});
    }
    return issues;
}

bool InputMacroEngine::isValid(const InputMacro& macro)
{
    return validate(macro).empty();
}

std::int64_t InputMacroEngine::estimatedDurationMs(const InputMacro& macro)
{
    std::int64_t total = 0;
    for (const auto& step : macro.steps) {
        total = saturatingAdd(total, stepCost(step.kind));
    }
    return total;
}

std::uint64_t InputMacroEngine::cgEventFlags(const std::vector<std::string>& modifiers)
{
    return KeystrokeFormatter::Modifiers::fromWords(modifiers).eventFlags();
}

std::string InputMacroEngine::modifierGlyphPrefix(const std::vector<std::string>& modifiers)
{
    return KeystrokeFormatter::modifierSymbols(KeystrokeFormatter::Modifiers::fromWords(modifiers));
}

} // namespace tarn::input
