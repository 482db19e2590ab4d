#pragma once

// The studio's Buttons tab: the global actions of the middle and side buttons with the remapping
// switch, and the per-application rules with their add-rule form. Widgets are built once and
// show the view model's settings, updated in place on each change; only the user's actions write.
// The view model must outlive it; build it on the main thread.

#include <array>

#include <QColor>

#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace tarn {
class TarnCardHeader;
class TarnPrimaryButton;
} // namespace tarn

namespace tarn::input {

class ButtonsViewModel;
class NewRuleFormState;
class RunningAppsMenuButton;
class SwitchToggle;

class MouseButtonsView : public ScreenPage {
    Q_OBJECT

public:
    MouseButtonsView(ButtonsViewModel& viewModel, QColor accent, QWidget* parent = nullptr);

    NewRuleFormState& form() { return *m_form; }

private:
    QWidget* buildGlobalCard();
    QWidget* buildRulesCard();
    QComboBox* actionPicker(const char* name);
    void syncTexts();
    void syncSettings();
    void syncForm();
    void syncRules();
    void addRule();

    ButtonsViewModel& m_viewModel;
    QColor m_accent;
    NewRuleFormState* m_form;

    TarnCardHeader* m_globalTitle = nullptr;
    SwitchToggle* m_remapSwitch = nullptr;
    std::array<QLabel*, 3> m_buttonLabels {};
    std::array<QComboBox*, 3> m_globalPickers {};

    QLabel* m_rulesTitle = nullptr;
    RunningAppsMenuButton* m_appMenu = nullptr;
    QLineEdit* m_bundleField = nullptr;
    QComboBox* m_formButton = nullptr;
    QComboBox* m_formAction = nullptr;
    TarnPrimaryButton* m_addRule = nullptr;
    QLabel* m_emptyRules = nullptr;
    QVBoxLayout* m_ruleRows = nullptr;
    std::vector<AppButtonRule> m_shownRules;
};

} // namespace tarn::input
