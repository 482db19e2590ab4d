#include "TarnInput/ViewModel/MacroBuilderFormState.h"

#include <algorithm>

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {

void MacroBuilderFormState::setOnChanged(std::function<void()> onChanged)
{
    m_onChanged = std::move(onChanged);
}

template <typename Value> void MacroBuilderFormState::assign(Value& field, Value value)
{
    field = std::move(value);
    if (m_onChanged) {
        m_onChanged();
    }
}

void MacroBuilderFormState::setName(std::string name)
{
    assign(m_name, std::move(name));
}

void MacroBuilderFormState::setDescriptionText(std::string descriptionText)
{
    assign(m_descriptionText, std::move(descriptionText));
}

void MacroBuilderFormState::setTriggerButtonTag(std::int64_t tag)
{
    assign(m_triggerButtonTag, tag);
}

void MacroBuilderFormState::setSelectedKeyCode(std::uint16_t keyCode)
{
    assign(m_selectedKeyCode, keyCode);
}

void MacroBuilderFormState::setUseCommand(bool on)
{
    assign(m_useCommand, on);
}

void MacroBuilderFormState::setUseShift(bool on)
{
    assign(m_useShift, on);
}

void MacroBuilderFormState::setUseOption(bool on)
{
    assign(m_useOption, on);
}

void MacroBuilderFormState::setUseControl(bool on)
{
    assign(m_useControl, on);
}

void MacroBuilderFormState::setDelayMs(std::int64_t ms)
{
    assign(m_delayMs, ms);
}

void MacroBuilderFormState::setTypeTextInput(std::string text)
{
    assign(m_typeTextInput, std::move(text));
}

void MacroBuilderFormState::setSteps(std::vector<MacroStep> steps)
{
    assign(m_steps, std::move(steps));
}

std::vector<std::string> MacroBuilderFormState::selectedModifiers() const
{
    std::vector<std::string> modifiers;
    for (const auto& [on, word] : {std::pair {m_useControl, "ctrl"}, std::pair {m_useOption, "opt"},
             std::pair {m_useShift, "shift"}, std::pair {m_useCommand, "cmd"}}) {
        if (on) {
            modifiers.emplace_back(word);
        }
    }
    return modifiers;
}

std::optional<std::int64_t> MacroBuilderFormState::triggerButtonNumber() const
{
    if (m_triggerButtonTag < 2) {
        return std::nullopt;
    }
    return m_triggerButtonTag;
}

void MacroBuilderFormState::addKeystrokeStep()
{
    auto modifiers = selectedModifiers();
    auto label = MacroKeystroke::glyphLabel(m_selectedKeyCode, modifiers);
    auto steps = m_steps;
    steps.push_back(MacroStep::keystroke(m_selectedKeyCode, std::move(modifiers), std::move(label)));
    setSteps(std::move(steps));
}

void MacroBuilderFormState::addDelayStep()
{
    auto steps = m_steps;
    steps.push_back(MacroStep::delay(std::clamp(m_delayMs, kMinDelayMs, kMaxDelayMs)));
    setSteps(std::move(steps));
}

void MacroBuilderFormState::addTypeTextStep()
{
    if (m_typeTextInput.empty()) {
        return;
    }
    auto steps = m_steps;
    steps.push_back(MacroStep::typeText(m_typeTextInput));
    setSteps(std::move(steps));
    setTypeTextInput({});
}

void MacroBuilderFormState::removeStep(const Uuid& id)
{
    auto steps = m_steps;
    std::erase_if(steps, [&id](const MacroStep& step) { return step.id == id; });
    if (steps.size() != m_steps.size()) {
        setSteps(std::move(steps));
    }
}

void MacroBuilderFormState::loadForEditing(const InputMacro& macro)
{
    assign(m_editingMacroID, std::optional {macro.id});
    setName(macro.name);
    setDescriptionText(macro.description);
    setTriggerButtonTag(macro.triggerButtonNumber.value_or(kNoTrigger));
    setSteps(macro.steps);
}

void MacroBuilderFormState::reset()
{
    assign(m_editingMacroID, std::optional<Uuid> {});
    setName({});
    setDescriptionText({});
    setTypeTextInput({});
    setTriggerButtonTag(kNoTrigger);
    setSteps({});
}

InputMacro MacroBuilderFormState::buildDraftMacro() const
{
    InputMacro draft;
    draft.id = m_editingMacroID.value_or(Uuid::random());
    draft.name = UnicodeText::trimmed(m_name);
    draft.description = UnicodeText::trimmed(m_descriptionText);
    draft.triggerButtonNumber = triggerButtonNumber();
    draft.steps = m_steps;
    draft.isEnabled = true;
    return draft;
}

} // namespace tarn::input
