#include "TarnInput/Screens/Profiles/MacroStudioSectionView.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "TarnInput/Screens/Controls/CapsuleChip.h"
#include "TarnInput/Screens/Controls/ModifierChip.h"
#include "TarnInput/Screens/Controls/SymbolButton.h"
#include "TarnInput/Screens/Profiles/MacroStudioRow.h"
#include "TarnInput/Screens/Profiles/StepStrip.h"
#include "TarnInput/Screens/Widgets/AdaptiveGridLayout.h"
#include "TarnInput/Screens/Widgets/PresetTile.h"
#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/ViewModel/MacroBuilderFormState.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInputCore/Model/Keys/EventFlag.h"
#include "TarnInputCore/Model/Keys/KeyCodeOption.h"
#include "TarnInputCore/Model/Keys/PostedKeys.h"
#include "TarnInputCore/Model/Macros/MacroPresetLibrary.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn::input {

namespace {

// The builder's modifier chips in display order, each named after the key the macro presses for
// it on Linux (the posted-keys table decides: Command is Ctrl, Control is Super).
struct ModifierChipRow {
    std::uint64_t flag;
    const char* objectName;
    bool (MacroBuilderFormState::*isOn)() const;
    void (MacroBuilderFormState::*setOn)(bool);
};

constexpr std::array<ModifierChipRow, 4> kModifierChips {{
    {EventFlag::command, "modifierCommand", &MacroBuilderFormState::useCommand, &MacroBuilderFormState::setUseCommand},
    {EventFlag::shift, "modifierShift", &MacroBuilderFormState::useShift, &MacroBuilderFormState::setUseShift},
    {EventFlag::option, "modifierOption", &MacroBuilderFormState::useOption, &MacroBuilderFormState::setUseOption},
    {EventFlag::control, "modifierControl", &MacroBuilderFormState::useControl, &MacroBuilderFormState::setUseControl},
}};

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

QWidget* makeDivider()
{
    auto* divider = new RoundedPlate(0, TarnGlassTokens::borderSubtle());
    divider->setFixedHeight(1);
    return divider;
}

QLineEdit* makeField(const char* name)
{
    auto* field = new QLineEdit;
    field->setObjectName(name);
    return field;
}

QString summaryText(const InputMacro& macro, const QString& stepsWord, const char* joiner)
{
    return QStringLiteral("%1 %2%3%4 ms")
        .arg(macro.steps.size())
        .arg(stepsWord, QString::fromUtf8(joiner))
        .arg(ProfilesViewModel::estimatedDurationMs(macro));
}

} // namespace

MacroStudioSectionView::MacroStudioSectionView(ProfilesViewModel& viewModel, QColor accent, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
    , m_presets(MacroPresetLibrary::makePresets())
{
    setObjectName("macroStudio");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(16, &column);
    column->addWidget(buildHeader());
    column->addWidget(buildPresets());
    column->addWidget(makeDivider());
    column->addWidget(buildBuilder());
    column->addWidget(makeDivider());
    column->addWidget(buildSavedMacros());
    outer->addWidget(card);

    connect(&m_viewModel, &ProfilesViewModel::languageChanged, this, [this] {
        syncTexts();
        syncSettings();
        syncForm();
    });
    connect(&m_viewModel, &ProfilesViewModel::settingsChanged, this, &MacroStudioSectionView::syncSettings);
    m_form.setOnChanged([this] { syncForm(); });
    syncTexts();
    syncSettings();
    syncForm();
}

QWidget* MacroStudioSectionView::buildHeader()
{
    m_title = makeCardHeader("bolt.horizontal.circle.fill", 15, Qt::white);
    m_count = new CapsuleChip;
    m_count->setObjectName("macroCount");
    m_count->setTextFont(TarnTextStyles::font(TarnTextStyle::subheadline, QFont::DemiBold, TarnFontDesign::monospaced));
    m_count->setColors(TarnGlassTokens::textSecondary(), TarnGlassTokens::surface2());
    m_count->setPadding(8, 3);
    m_title->addTrailing(m_count);
    return m_title;
}

QWidget* MacroStudioSectionView::buildPresets()
{
    auto* block = new QWidget;
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    m_presetsCaption = makeTextLabel(TarnTextStyle::callout, QFont::DemiBold, TarnGlassTokens::textSecondary(), false);
    column->addWidget(m_presetsCaption);
    auto* grid = new QWidget;
    auto* tiles = new AdaptiveGridLayout(220, 8, 8, grid);
    for (std::size_t index = 0; index < m_presets.size(); ++index) {
        auto* tile = new PresetTile(QString::fromStdString(m_presets[index].name));
        tile->setObjectName(QStringLiteral("preset%1").arg(index));
        // Offered again when added: the view model refuses the duplicate with its own message.
        connect(tile, &QAbstractButton::clicked, this, [this, index] { m_viewModel.addMacroPreset(m_presets[index]); });
        tiles->addWidget(tile);
        m_presetTiles.push_back(tile);
    }
    column->addWidget(grid);
    return block;
}

QLabel* MacroStudioSectionView::makeFieldLabel(int width)
{
    auto* label = makeTextLabel(11.5, QFont::DemiBold, TarnGlassTokens::textSecondary(), false);
    label->setMinimumWidth(width);
    return label;
}

TarnGlassButton* MacroStudioSectionView::makeBuilderButton(const char* name)
{
    auto* button = new TarnGlassButton;
    button->setObjectName(name);
    return button;
}

QWidget* MacroStudioSectionView::buildBuilder()
{
    auto* builder = new RoundedPlate(12, QColor(0, 0, 0, 56));
    builder->setObjectName("macroBuilder");
    auto* column = new QVBoxLayout(builder);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(12);

    auto* titleRow = makeRow();
    m_builderTitle = makeTextLabel(13.5, QFont::Bold, Qt::white, false);
    m_builderTitle->setObjectName("builderTitle");
    m_builderSummary
        = makeTextLabel(TarnTextStyle::subheadline, QFont::DemiBold, m_accent, false, TarnFontDesign::monospaced);
    m_builderSummary->setObjectName("builderSummary");
    titleRow->addWidget(m_builderTitle);
    titleRow->addStretch(1);
    titleRow->addWidget(m_builderSummary);
    column->addLayout(titleRow);

    auto* identity = makeRow(10);
    m_nameField = makeField("macroNameField");
    connect(m_nameField, &QLineEdit::textEdited, this,
        [this](const QString& typed) { m_form.setName(typed.toStdString()); });
    m_descriptionField = makeField("macroDescriptionField");
    connect(m_descriptionField, &QLineEdit::textEdited, this,
        [this](const QString& typed) { m_form.setDescriptionText(typed.toStdString()); });
    m_builderTrigger = new QComboBox;
    m_builderTrigger->setObjectName("builderTrigger");
    m_builderTrigger->setFixedWidth(190);
    connect(m_builderTrigger, &QComboBox::activated, this, [this](int index) {
        m_form.setTriggerButtonTag(triggerAtPickerIndex(index).value_or(MacroBuilderFormState::kNoTrigger));
    });
    identity->addWidget(m_nameField, 1);
    identity->addWidget(m_descriptionField, 1);
    identity->addWidget(m_builderTrigger);
    column->addLayout(identity);

    auto* keys = makeRow(8);
    m_keystrokeLabel = makeFieldLabel(68);
    keys->addWidget(m_keystrokeLabel);
    for (std::size_t index = 0; index < kModifierChips.size(); ++index) {
        const auto& row = kModifierChips[index];
        const auto name = modifierName(postedModifierForFlag(row.flag));
        auto* chip = new ModifierChip(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), m_accent);
        chip->setObjectName(row.objectName);
        connect(chip, &QAbstractButton::clicked, this, [this, row](bool on) { (m_form.*row.setOn)(on); });
        m_modifierChips[index] = chip;
        keys->addWidget(chip);
    }
    m_keyPicker = new QComboBox;
    m_keyPicker->setObjectName("keyPicker");
    m_keyPicker->setFixedWidth(120);
    for (const auto& option : commonKeyOptions()) {
        m_keyPicker->addItem(toQString(option.shownLabel()));
    }
    connect(m_keyPicker, &QComboBox::activated, this, [this](int index) {
        m_form.setSelectedKeyCode(commonKeyOptions().at(static_cast<std::size_t>(index)).keyCode);
    });
    m_addKey = makeBuilderButton("addKeyStep");
    connect(m_addKey, &QAbstractButton::clicked, this, [this] { m_form.addKeystrokeStep(); });
    m_delayLabel = makeFieldLabel(0);
    m_delayPicker = new QComboBox;
    m_delayPicker->setObjectName("delayPicker");
    m_delayPicker->setFixedWidth(92);
    for (const auto ms : kDelayPresets) {
        m_delayPicker->addItem(QStringLiteral("%1 ms").arg(ms));
    }
    connect(m_delayPicker, &QComboBox::activated, this,
        [this](int index) { m_form.setDelayMs(kDelayPresets.at(static_cast<std::size_t>(index))); });
    m_addDelay = makeBuilderButton("addDelayStep");
    connect(m_addDelay, &QAbstractButton::clicked, this, [this] { m_form.addDelayStep(); });
    keys->addWidget(m_keyPicker);
    keys->addWidget(m_addKey);
    keys->addStretch(1);
    keys->addWidget(m_delayLabel);
    keys->addWidget(m_delayPicker);
    keys->addWidget(m_addDelay);
    column->addLayout(keys);

    auto* textRow = makeRow(8);
    m_textLabel = makeFieldLabel(68);
    m_typeTextField = makeField("typeTextField");
    connect(m_typeTextField, &QLineEdit::textEdited, this,
        [this](const QString& typed) { m_form.setTypeTextInput(typed.toStdString()); });
    m_addText = makeBuilderButton("addTextStep");
    connect(m_addText, &QAbstractButton::clicked, this, [this] { m_form.addTypeTextStep(); });
    m_clear = makeBuilderButton("clearMacro");
    connect(m_clear, &QAbstractButton::clicked, this, [this] { m_form.reset(); });
    m_save = new TarnPrimaryButton;
    m_save->setObjectName("saveMacro");
    connect(m_save, &QAbstractButton::clicked, this, &MacroStudioSectionView::save);
    textRow->addWidget(m_textLabel);
    textRow->addWidget(m_typeTextField, 1);
    textRow->addWidget(m_addText);
    textRow->addStretch(1);
    textRow->addWidget(m_clear);
    textRow->addWidget(m_save);
    column->addLayout(textRow);

    m_builderStrip = new StepStrip(6, 2);
    m_builderStrip->setObjectName("builderSteps");
    column->addWidget(m_builderStrip);
    return builder;
}

QWidget* MacroStudioSectionView::buildSavedMacros()
{
    auto* block = new QWidget;
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    m_savedTitle = makeTextLabel(13.5, QFont::Bold, Qt::white, false);
    m_emptyMacros = makeTextLabel(TarnTextStyle::callout, QFont::Normal, TarnGlassTokens::textMuted(), true);
    m_emptyMacros->setObjectName("emptyMacros");
    m_emptyMacros->setContentsMargins(0, 4, 0, 4);
    m_rows = new QVBoxLayout;
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(10);
    column->addWidget(m_savedTitle);
    column->addWidget(m_emptyMacros);
    column->addLayout(m_rows);
    return block;
}

void MacroStudioSectionView::save()
{
    // A refused draft stays for correction; the view model has shown why.
    if (m_viewModel.saveMacro(m_form.buildDraftMacro())) {
        m_form.reset();
    }
}

void MacroStudioSectionView::syncTexts()
{
    m_title->setTitle(tarnQText("Keystroke Macro Engine & Mouse Button Bindings",
        "Tuş Makro Motoru & Fare Tuşu Bağlantıları", m_viewModel.language()));
    m_presetsCaption->setText(
        tarnQText("1-Click Productivity Macro Presets", "Tek Tık Hazır Üretkenlik Makroları", m_viewModel.language()));
    m_nameField->setPlaceholderText(
        tarnQText("Macro Name (e.g. Copy & Search)", "Makro Adı (örn. Kopyala & Ara)", m_viewModel.language()));
    m_descriptionField->setPlaceholderText(
        tarnQText("Short description (optional)", "Kısa açıklama (isteğe bağlı)", m_viewModel.language()));
    labelTriggerPicker(m_builderTrigger, "No Global Button", "Global Tuş Yok", m_viewModel.language());
    m_keystrokeLabel->setText(tarnQText("Keystroke:", "Tuş:", m_viewModel.language()));
    m_addKey->setText(plainButtonText(tarnQText("+ Add Key", "+ Tuş Ekle", m_viewModel.language())));
    m_delayLabel->setText(tarnQText("Delay:", "Bekle:", m_viewModel.language()));
    m_addDelay->setText(plainButtonText(tarnQText("+ Delay", "+ Gecikme", m_viewModel.language())));
    m_textLabel->setText(tarnQText("Type Text:", "Metin:", m_viewModel.language()));
    // Both step-input labels take the wider one's width, so the rows' inputs line up.
    const int labelWidth = std::max({68, m_keystrokeLabel->sizeHint().width(), m_textLabel->sizeHint().width()});
    m_keystrokeLabel->setMinimumWidth(labelWidth);
    m_textLabel->setMinimumWidth(labelWidth);
    m_typeTextField->setPlaceholderText(
        tarnQText("Text snippet to type automatically...", "Otomatik yazılacak metin...", m_viewModel.language()));
    m_addText->setText(plainButtonText(tarnQText("+ Add Text", "+ Metin Ekle", m_viewModel.language())));
    m_clear->setText(tarnQText("Clear", "Temizle", m_viewModel.language()));
    m_savedTitle->setText(tarnQText("Saved Macros", "Kayıtlı Makrolar", m_viewModel.language()));
    m_emptyMacros->setText(
        tarnQText("No macros added yet. Click any 1-click preset above or compose your own multi-step "
                  "macro and bind it to a side mouse button.",
            "Henüz makro eklenmedi. Yukarıdaki hazır şablonlardan tek tıkla ekleyin veya kendi çok adımlı makronuzu "
            "oluşturup yan fare tuşuna bağlayın.",
            m_viewModel.language()));
}

void MacroStudioSectionView::syncSettings()
{
    const auto& macros = m_viewModel.settings().macros;
    m_count->setText(
        QStringLiteral("%1 %2").arg(macros.size()).arg(tarnQText("macros", "makro", m_viewModel.language())));
    for (std::size_t index = 0; index < m_presets.size(); ++index) {
        const auto name = UnicodeText::lowercased(m_presets[index].name);
        const bool added = std::ranges::any_of(
            macros, [&name](const InputMacro& macro) { return UnicodeText::lowercased(macro.name) == name; });
        m_presetTiles[index]->setSymbol(
            added ? "checkmark.circle.fill" : "plus.circle.fill", added ? TarnGlassTokens::success() : m_accent);
    }
    syncRows();
}

MacroStudioRow* MacroStudioSectionView::makeMacroRow(const Uuid& id)
{
    auto* row = new MacroStudioRow(m_accent);
    row->setObjectName(QString::fromStdString("macro:" + id.toString()));
    // Each action looks its macro up when pressed, so it always acts on the stored value.
    const auto withMacro = [this, id](auto action) {
        return [this, id, action] {
            const auto& macros = m_viewModel.settings().macros;
            const auto found = std::ranges::find(macros, id, &InputMacro::id);
            if (found != macros.end()) {
                action(InputMacro(*found));
            }
        };
    };
    connect(row, &MacroStudioRow::toggleRequested, this,
        withMacro([this](const InputMacro& macro) { m_viewModel.toggleMacro(macro); }));
    connect(row, &MacroStudioRow::testRequested, this,
        withMacro([this](const InputMacro& macro) { m_viewModel.testMacro(macro); }));
    connect(row, &MacroStudioRow::editRequested, this,
        withMacro([this](const InputMacro& macro) { m_form.loadForEditing(macro); }));
    connect(row, &MacroStudioRow::removeRequested, this,
        withMacro([this](const InputMacro& macro) { m_viewModel.removeMacro(macro); }));
    connect(row, &MacroStudioRow::triggerChosen, this,
        [this, id](std::optional<std::int64_t> buttonNumber) { m_viewModel.setMacroTriggerButton(id, buttonNumber); });
    return row;
}

void MacroStudioSectionView::syncRows()
{
    const auto& macros = m_viewModel.settings().macros;
    const auto language = m_viewModel.language();
    // Rows of deleted macros go once control is back: the deleting click may come from one.
    for (auto it = m_rowsByID.begin(); it != m_rowsByID.end();) {
        if (std::ranges::find(macros, it->first, &InputMacro::id) == macros.end()) {
            m_rows->removeWidget(it->second);
            it->second->hide();
            it->second->setParent(nullptr);
            it->second->deleteLater();
            it = m_rowsByID.erase(it);
        } else {
            ++it;
        }
    }
    for (std::size_t index = 0; index < macros.size(); ++index) {
        auto& row = m_rowsByID[macros[index].id];
        if (row == nullptr) {
            row = makeMacroRow(macros[index].id);
        }
        if (m_rows->indexOf(row) != static_cast<int>(index)) {
            m_rows->removeWidget(row);
            m_rows->insertWidget(static_cast<int>(index), row);
        }
        row->display(macros[index], ProfilesViewModel::estimatedDurationMs(macros[index]), language);
    }
    m_emptyMacros->setVisible(macros.empty());
}

void MacroStudioSectionView::syncForm()
{
    const bool editing = m_form.isEditing();
    const bool hasSteps = !m_form.steps().empty();
    m_builderTitle->setText(editing
            ? tarnQText("Editing Macro", "Makro Düzenleniyor", m_viewModel.language())
            : tarnQText("Create Custom Multi-Step Macro", "Yeni Çok Adımlı Makro Oluştur", m_viewModel.language()));
    m_save->setText(editing ? tarnQText("Update Macro", "Makroyu Güncelle", m_viewModel.language())
                            : tarnQText("Save Macro", "Makroyu Kaydet", m_viewModel.language()));
    m_clear->setVisible(editing || hasSteps || !m_form.name().empty());
    m_builderSummary->setVisible(hasSteps);
    if (hasSteps) {
        m_builderSummary->setText(
            summaryText(m_form.buildDraftMacro(), tarnQText("steps", "adım", m_viewModel.language()), " · ~"));
    }
    syncFormFields();
    if (m_shownBuilderSteps != m_form.steps() || m_shownBuilderLanguage != m_viewModel.language()) {
        syncBuilderSteps();
    }
}

void MacroStudioSectionView::syncFormFields()
{
    // Fields are written only when they differ, so the caret of a field being typed in stays.
    const auto setField = [](QLineEdit* field, const std::string& value) {
        const auto shown = QString::fromStdString(value);
        if (field->text() != shown) {
            const QSignalBlocker blocker(field);
            field->setText(shown);
        }
    };
    setField(m_nameField, m_form.name());
    setField(m_descriptionField, m_form.descriptionText());
    setField(m_typeTextField, m_form.typeTextInput());
    const QSignalBlocker trigger(m_builderTrigger);
    m_builderTrigger->setCurrentIndex(triggerPickerIndex(m_form.triggerButtonNumber()));
    for (std::size_t index = 0; index < kModifierChips.size(); ++index) {
        const QSignalBlocker blocker(m_modifierChips[index]);
        m_modifierChips[index]->setChecked((m_form.*kModifierChips[index].isOn)());
    }
    const auto& options = commonKeyOptions();
    const auto key = std::ranges::find(options, m_form.selectedKeyCode(), &KeyCodeOption::keyCode);
    const QSignalBlocker keyBlocker(m_keyPicker);
    m_keyPicker->setCurrentIndex(key == options.end() ? -1 : static_cast<int>(key - options.begin()));
    const auto delay = std::ranges::find(kDelayPresets, m_form.delayMs());
    const QSignalBlocker delayBlocker(m_delayPicker);
    m_delayPicker->setCurrentIndex(delay == kDelayPresets.end() ? -1 : static_cast<int>(delay - kDelayPresets.begin()));
}

void MacroStudioSectionView::syncBuilderSteps()
{
    const auto& steps = m_form.steps();
    m_shownBuilderSteps = steps;
    m_shownBuilderLanguage = m_viewModel.language();
    // The removing click may come from a chip of this strip; chips go once control is back.
    m_builderStrip->clear();
    for (std::size_t index = 0; index < steps.size(); ++index) {
        if (index > 0) {
            auto* arrow = new SymbolLabel("arrow.right", TarnTextStyles::systemFont(9), TarnGlassTokens::textMuted());
            arrow->setObjectName("stepArrow");
            m_builderStrip->append(arrow);
        }
        auto* chip = new RoundedPlate(12, withAlpha(m_accent, 0.24));
        chip->setObjectName("stepChip");
        auto* row = new QHBoxLayout(chip);
        row->setContentsMargins(9, 5, 9, 5);
        row->setSpacing(5);
        auto* badge
            = makeTextLabel(TarnTextStyle::subheadline, QFont::DemiBold, Qt::white, false, TarnFontDesign::monospaced);
        badge->setObjectName("stepBadge");
        badge->setText(QString::fromStdString(steps[index].linuxBadge(m_shownBuilderLanguage == TarnLanguage::tr)));
        auto* remove = new SymbolButton("xmark.circle.fill", TarnGlassTokens::textMuted(), 10.5);
        remove->setObjectName("removeStep");
        connect(remove, &QAbstractButton::clicked, this, [this, id = steps[index].id] { m_form.removeStep(id); });
        row->addWidget(badge);
        row->addWidget(remove);
        m_builderStrip->append(chip);
    }
    m_builderStrip->setVisible(!steps.empty());
}

} // namespace tarn::input
