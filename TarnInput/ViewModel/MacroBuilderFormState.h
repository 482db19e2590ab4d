#pragma once

// The macro the user is composing in the macro studio: name, description, trigger button and
// steps, plus the current choices of the three step inputs. It stores nothing; a draft reaches
// the settings only through the view model's save. Main thread only; free of Qt, so it is tested
// without a display.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "TarnInputCore/Model/Macros/InputMacro.h"

namespace tarn::input {

class MacroBuilderFormState {
public:
    // The trigger picker's "no button" entry; 2, 3 and 4 are the mouse buttons' raw values.
    static constexpr std::int64_t kNoTrigger = -1;
    static constexpr std::int64_t kMinDelayMs = 10;
    static constexpr std::int64_t kMaxDelayMs = 10'000;

    // Called after every change, so the section can redraw.
    void setOnChanged(std::function<void()> onChanged);

    const std::optional<Uuid>& editingMacroID() const { return m_editingMacroID; }
    bool isEditing() const { return m_editingMacroID.has_value(); }
    const std::string& name() const { return m_name; }
    const std::string& descriptionText() const { return m_descriptionText; }
    std::int64_t triggerButtonTag() const { return m_triggerButtonTag; }
    const std::vector<MacroStep>& steps() const { return m_steps; }
    std::uint16_t selectedKeyCode() const { return m_selectedKeyCode; }
    bool useCommand() const { return m_useCommand; }
    bool useShift() const { return m_useShift; }
    bool useOption() const { return m_useOption; }
    bool useControl() const { return m_useControl; }
    std::int64_t delayMs() const { return m_delayMs; }
    const std::string& typeTextInput() const { return m_typeTextInput; }

    void setName(std::string name);
    void setDescriptionText(std::string descriptionText);
    void setTriggerButtonTag(std::int64_t tag);
    void setSelectedKeyCode(std::uint16_t keyCode);
    void setUseCommand(bool on);
    void setUseShift(bool on);
    void setUseOption(bool on);
    void setUseControl(bool on);
    void setDelayMs(std::int64_t ms);
    void setTypeTextInput(std::string text);

    // The names of the modifiers that are on, always in the order "ctrl", "opt", "shift", "cmd".
    std::vector<std::string> selectedModifiers() const;
    // The trigger tag when it names a button (2 or more), else none.
    std::optional<std::int64_t> triggerButtonNumber() const;

    // Appends the chosen chord; the key and modifiers stay chosen so it can be added again.
    void addKeystrokeStep();
    // Appends a delay of `delayMs` held to 10…10000 ms; `delayMs` itself is kept.
    void addDelayStep();
    // Appends the typed text exactly as typed and empties the input; an empty input adds nothing.
    void addTypeTextStep();
    void removeStep(const Uuid& id);
    // Fills the form from a saved macro (same step identities, so an update replaces it in place).
    // The step inputs keep the user's last choices.
    void loadForEditing(const InputMacro& macro);
    // Back to an empty new macro; the key, modifier and delay choices stay.
    void reset();
    // The form as a macro, trimmed and always enabled; not validated (the view model does that).
    // A new form gets a fresh identity at every call.
    InputMacro buildDraftMacro() const;

private:
    // Writes a field and tells the section to redraw.
    template <typename Value> void assign(Value& field, Value value);
    void setSteps(std::vector<MacroStep> steps);

    std::function<void()> m_onChanged;
    std::optional<Uuid> m_editingMacroID;
    std::string m_name;
    std::string m_descriptionText;
    std::int64_t m_triggerButtonTag = kNoTrigger;
    std::vector<MacroStep> m_steps;
    std::uint16_t m_selectedKeyCode = 8;
    bool m_useCommand = true;
    bool m_useShift = false;
    bool m_useOption = false;
    bool m_useControl = false;
    std::int64_t m_delayMs = 80;
    std::string m_typeTextInput;
};

} // namespace tarn::input
