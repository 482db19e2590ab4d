#pragma once

// The macro half of the profiles screen, in one glass card: the count of saved macros, the
// one-click presets, the multi-step builder over its own form, and the saved macros with their
// switches, triggers and test/edit/delete buttons. Saved macros change only through the view
// model; rows are kept by macro identity and updated in place. The view model must outlive it;
// build it on the main thread.

#include <array>
#include <map>
#include <optional>
#include <vector>

#include <QColor>
#include <QWidget>

#include "TarnInput/ViewModel/MacroBuilderFormState.h"
#include "TarnInputCore/Model/Macros/InputMacro.h"
#include "TarnKit/Localization/TarnLanguage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace tarn {
class TarnCardHeader;
class TarnGlassButton;
class TarnPrimaryButton;
} // namespace tarn

namespace tarn::input {

class CapsuleChip;
class ProfilesViewModel;
class MacroStudioRow;
class ModifierChip;
class PresetTile;
class StepStrip;

class MacroStudioSectionView : public QWidget {
    Q_OBJECT

public:
    // The builder's delay choices in milliseconds, in display order.
    static constexpr std::array<std::int64_t, 5> kDelayPresets {40, 80, 120, 250, 500};

    MacroStudioSectionView(ProfilesViewModel& viewModel, QColor accent, QWidget* parent = nullptr);

    MacroBuilderFormState& form() { return m_form; }

private:
    QWidget* buildHeader();
    QWidget* buildPresets();
    QWidget* buildBuilder();
    QWidget* buildSavedMacros();
    QLabel* makeFieldLabel(int width);
    TarnGlassButton* makeBuilderButton(const char* name);
    void syncTexts();
    void syncSettings();
    void syncForm();
    void syncFormFields();
    void syncBuilderSteps();
    void syncRows();
    MacroStudioRow* makeMacroRow(const Uuid& id);
    void save();

    ProfilesViewModel& m_viewModel;
    QColor m_accent;
    MacroBuilderFormState m_form;
    std::vector<InputMacro> m_presets;

    TarnCardHeader* m_title = nullptr;
    CapsuleChip* m_count = nullptr;
    QLabel* m_presetsCaption = nullptr;
    std::vector<PresetTile*> m_presetTiles;

    QLabel* m_builderTitle = nullptr;
    QLabel* m_builderSummary = nullptr;
    QLineEdit* m_nameField = nullptr;
    QLineEdit* m_descriptionField = nullptr;
    QComboBox* m_builderTrigger = nullptr;
    QLabel* m_keystrokeLabel = nullptr;
    std::array<ModifierChip*, 4> m_modifierChips {};
    QComboBox* m_keyPicker = nullptr;
    TarnGlassButton* m_addKey = nullptr;
    QLabel* m_delayLabel = nullptr;
    QComboBox* m_delayPicker = nullptr;
    TarnGlassButton* m_addDelay = nullptr;
    QLabel* m_textLabel = nullptr;
    QLineEdit* m_typeTextField = nullptr;
    TarnGlassButton* m_addText = nullptr;
    TarnGlassButton* m_clear = nullptr;
    TarnPrimaryButton* m_save = nullptr;
    StepStrip* m_builderStrip = nullptr;
    std::optional<std::vector<MacroStep>> m_shownBuilderSteps;
    TarnLanguage m_shownBuilderLanguage = TarnLanguage::en;

    QLabel* m_savedTitle = nullptr;
    QLabel* m_emptyMacros = nullptr;
    QVBoxLayout* m_rows = nullptr;
    std::map<Uuid, MacroStudioRow*> m_rowsByID;
};

} // namespace tarn::input
