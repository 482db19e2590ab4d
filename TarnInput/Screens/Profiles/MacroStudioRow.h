#pragma once

// One saved macro in the macro studio's list: its switch, name, summary, description, trigger
// picker, test/edit/delete buttons and its steps. The row is kept while its macro exists and
// shown again on every change, so a publish never replaces the widget under the pointer.

#include <cstdint>
#include <optional>
#include <string_view>

#include <QColor>

#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInputCore/Model/Macros/InputMacro.h"
#include "TarnKit/Localization/TarnLanguage.h"

class QComboBox;
class QLabel;

namespace tarn {
class TarnGlassButton;
}

namespace tarn::input {

class CapsuleChip;
class StepStrip;
class SwitchToggle;

// Puts the "no button" entry and the three mouse buttons into a trigger picker, labelled in
// `language`; entry 0 stands for no button, the others for the buttons' raw values.
void labelTriggerPicker(QComboBox* picker, std::string_view noneEN, std::string_view noneTR, TarnLanguage language);
// The picker entry of a trigger, and the trigger of an entry (none for entry 0).
int triggerPickerIndex(std::optional<std::int64_t> buttonNumber);
std::optional<std::int64_t> triggerAtPickerIndex(int index);

class MacroStudioRow : public RoundedPlate {
    Q_OBJECT

public:
    explicit MacroStudioRow(const QColor& accent, QWidget* parent = nullptr);

    // `durationMs`: about how long the macro plays.
    void display(const InputMacro& macro, std::int64_t durationMs, TarnLanguage language);

signals:
    void toggleRequested();
    void triggerChosen(std::optional<std::int64_t> buttonNumber);
    void testRequested();
    void editRequested();
    void removeRequested();

private:
    // Each step by its Linux badge; the names of the arrows and the space bar follow `language`.
    void displaySteps(const std::vector<MacroStep>& steps, TarnLanguage language);

    SwitchToggle* m_switch;
    QLabel* m_name;
    CapsuleChip* m_summary;
    QLabel* m_description;
    QComboBox* m_trigger;
    TarnGlassButton* m_test;
    StepStrip* m_steps;
    std::optional<std::vector<MacroStep>> m_shownSteps;
    TarnLanguage m_shownLanguage = TarnLanguage::en;
};

} // namespace tarn::input
