#include "TarnInput/Screens/Profiles/AppProfileEditorCard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/Controls/CapsuleChip.h"
#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Controls/SymbolButton.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {

constexpr double kCornerRadius = 12;

struct TriStateRow {
    TriStateOverride state;
    std::optional<bool> value;
};

// One table for both directions of the mapping.
constexpr std::array<TriStateRow, 3> kTriStateRows {{
    {TriStateOverride::global, std::nullopt},
    {TriStateOverride::enabled, true},
    {TriStateOverride::disabled, false},
}};

struct ButtonRowText {
    std::string_view en;
    std::string_view tr;
};

// In the order of kAllMouseButtonKinds.
constexpr std::array<ButtonRowText, 3> kButtonRowTexts {{
    {"Middle Click (Wheel)", "Orta Tık (Tekerlek)"},
    {"Side Button 4 (Back)", "Yan Tuş 4 (Geri)"},
    {"Side Button 5 (Forward)", "Yan Tuş 5 (İleri)"},
}};

QColor faded(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

QString tagText(std::string_view tag)
{
    return QString::fromUtf8(tag.data(), static_cast<qsizetype>(tag.size()));
}

// Shows the entry tagged `tag`; none when no entry has it.
void showTag(QComboBox* picker, const QString& tag)
{
    const QSignalBlocker blocker(picker);
    picker->setCurrentIndex(picker->findData(tag));
}

void setEntryText(QComboBox* picker, int index, const QString& label)
{
    if (index < picker->count()) {
        picker->setItemText(index, label);
    }
}

} // namespace

TriStateOverride triStateOverride(std::optional<bool> value)
{
    for (const auto& row : kTriStateRows) {
        if (row.value == value) {
            return row.state;
        }
    }
    return TriStateOverride::global;
}

std::optional<bool> overrideValue(TriStateOverride state)
{
    for (const auto& row : kTriStateRows) {
        if (row.state == state) {
            return row.value;
        }
    }
    return std::nullopt;
}

AppProfileEditorCard::AppProfileEditorCard(const AppInputProfile& profile, bool isCurrentlyActive,
    ProfilesViewModel& viewModel, QColor accent, QWidget* parent)
    : RoundedPlate(kCornerRadius, TarnGlassTokens::surface2(), parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
    , m_profile(profile)
    , m_isCurrentlyActive(isCurrentlyActive)
{
    setObjectName(QString::fromStdString("profile:" + profile.id.toString()));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(12);
    buildHeader();
    buildOverrides();
    auto* divider = new RoundedPlate(0, TarnGlassTokens::borderSubtle());
    divider->setFixedHeight(1);
    column->addWidget(divider);
    buildButtonRows();
    syncTexts();
    syncControls();
}

void AppProfileEditorCard::buildHeader()
{
    auto* header = makeRow(10);
    m_enabled = new SwitchToggle;
    m_enabled->setObjectName("profileEnabled");
    m_enabled->setControlSize(SwitchToggle::Size::small);
    m_enabled->setAccent(m_accent);
    connect(m_enabled, &QAbstractButton::clicked, this,
        [this](bool enabled) { edit([enabled](AppInputProfile& profile) { profile.isEnabled = enabled; }); });

    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    auto* nameRow = makeRow(7);
    m_name = makeTextLabel(13.5, QFont::Bold, Qt::white, false);
    m_name->setObjectName("profileName");
    m_activeBadge = new CapsuleChip;
    m_activeBadge->setObjectName("activeBadge");
    m_activeBadge->setTextFont(TarnTextStyles::systemFont(9.5, QFont::Black, TarnFontDesign::monospaced));
    m_activeBadge->setColors(Qt::white, faded(TarnGlassTokens::success(), 0.38));
    nameRow->addWidget(m_name);
    nameRow->addWidget(m_activeBadge);
    nameRow->addStretch(1);
    m_bundle = makeTextLabel(10.5, QFont::Normal, TarnGlassTokens::textMuted(), false, TarnFontDesign::monospaced);
    m_bundle->setObjectName("profileBundleID");
    m_bundle->setMinimumWidth(1);
    names->addLayout(nameRow);
    names->addWidget(m_bundle);

    auto* trash = new SymbolButton("trash", TarnGlassTokens::danger(), 15);
    trash->setObjectName("removeProfile");
    // The profile goes at once; the screen drops this card after control is back.
    connect(trash, &QAbstractButton::clicked, this, [this] { m_viewModel.removeProfile(m_profile); });

    header->addWidget(m_enabled);
    header->addLayout(names, 1);
    header->addWidget(trash);
    static_cast<QVBoxLayout*>(layout())->addLayout(header);
}

QComboBox* AppProfileEditorCard::triStatePicker(
    const char* name, int width, std::optional<bool> AppInputProfile::*field)
{
    auto* picker = new QComboBox;
    picker->setObjectName(name);
    fitPickerToEntries(picker, width);
    for (std::size_t index = 0; index < kAllTriStateOverrides.size(); ++index) {
        picker->addItem(QString());
    }
    connect(picker, &QComboBox::activated, this, [this, field](int chosen) {
        const auto value = overrideValue(kAllTriStateOverrides.at(static_cast<std::size_t>(chosen)));
        edit([field, value](AppInputProfile& profile) { profile.*field = value; });
    });
    return picker;
}

void AppProfileEditorCard::buildOverrides()
{
    auto* row = makeRow(14);
    const auto secondary = TarnGlassTokens::textSecondary();

    auto* wheelGroup = makeRow(6);
    m_wheelLabel = makeTextLabel(11.5, QFont::Normal, secondary, false);
    m_wheel = triStatePicker("wheelOverride", 108, &AppInputProfile::reverseMouseWheelOverride);
    wheelGroup->addWidget(m_wheelLabel);
    wheelGroup->addWidget(m_wheel);

    auto* smoothGroup = makeRow(6);
    m_smoothLabel = makeTextLabel(11.5, QFont::Normal, secondary, false);
    m_smooth = triStatePicker("smoothOverride", 102, &AppInputProfile::smoothScrollOverride);
    smoothGroup->addWidget(m_smoothLabel);
    smoothGroup->addWidget(m_smooth);

    auto* speedGroup = makeRow(6);
    m_customSpeed = makeCheckBox("customSpeed");
    m_customSpeed->setFont(TarnTextStyles::systemFont(11.5));
    QPalette palette = m_customSpeed->palette();
    palette.setColor(QPalette::WindowText, secondary);
    m_customSpeed->setPalette(palette);
    connect(m_customSpeed, &QAbstractButton::clicked, this, [this](bool on) {
        // The global speed as it is at this moment, unclamped, seeds the profile's own speed.
        const auto speed = on ? std::optional<double>(m_viewModel.settings().scrollSpeedMultiplier) : std::nullopt;
        edit([speed](AppInputProfile& profile) { profile.scrollSpeedMultiplierOverride = speed; });
    });
    m_speedSlider = new ContinuousSlider(kSlowestSpeed, kFastestSpeed, kSpeedStep);
    m_speedSlider->setObjectName("speedSlider");
    m_speedSlider->setAccent(m_accent);
    m_speedSlider->setFixedWidth(120);
    // Every step of a drag is one update, saved as it happens.
    connect(m_speedSlider, &ContinuousSlider::valueMoved, this, [this](double speed) {
        edit([speed](AppInputProfile& profile) { profile.scrollSpeedMultiplierOverride = speed; });
    });
    m_speedValue = makeTextLabel(TarnTextStyle::subheadline, QFont::Bold, Qt::white, false, TarnFontDesign::monospaced);
    m_speedValue->setObjectName("speedValue");
    m_speedValue->setFixedWidth(44);
    m_speedValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    speedGroup->addWidget(m_customSpeed);
    speedGroup->addWidget(m_speedSlider);
    speedGroup->addWidget(m_speedValue);

    row->addLayout(wheelGroup);
    row->addLayout(smoothGroup);
    row->addLayout(speedGroup);
    row->addStretch(1);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void AppProfileEditorCard::buildButtonRows()
{
    auto* rows = new QVBoxLayout;
    rows->setSpacing(6);
    for (std::size_t index = 0; index < kAllMouseButtonKinds.size(); ++index) {
        const auto button = rawValue(kAllMouseButtonKinds[index]);
        auto* row = makeRow(10);
        m_buttonLabels[index] = makeTextLabel(11.5, QFont::Medium, TarnGlassTokens::textPrimary(), false);
        m_buttonLabels[index]->setFixedWidth(165);

        auto* action = new QComboBox;
        action->setObjectName(QStringLiteral("profileAction%1").arg(button));
        fitPickerToEntries(action, 220);
        action->addItem(QString(), tagText(kGlobalActionTag));
        for (const auto choice : kAllMouseButtonActions) {
            action->addItem(QString(), tagText(rawValue(choice)));
        }
        connect(action, &QComboBox::activated, this,
            [this, action, button](int chosen) { chooseAction(button, action->itemData(chosen).toString()); });
        m_actionPickers[index] = action;

        auto* macro = new QComboBox;
        macro->setObjectName(QStringLiteral("profileMacro%1").arg(button));
        fitPickerToEntries(macro, 210);
        connect(macro, &QComboBox::activated, this,
            [this, macro, button](int chosen) { chooseMacro(button, macro->itemData(chosen).toString()); });
        m_macroPickers[index] = macro;

        row->addWidget(m_buttonLabels[index]);
        row->addWidget(action);
        row->addWidget(macro);
        row->addStretch(1);
        rows->addLayout(row);
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(rows);
}

void AppProfileEditorCard::edit(const std::function<void(AppInputProfile&)>& change)
{
    AppInputProfile copy = m_profile;
    change(copy);
    m_viewModel.updateProfile(copy);
}

void AppProfileEditorCard::chooseAction(std::int64_t button, const QString& tag)
{
    edit([button, tag](AppInputProfile& profile) {
        if (tag == tagText(kGlobalActionTag)) {
            profile.buttonActionOverrides.erase(button);
            return;
        }
        for (const auto action : kAllMouseButtonActions) {
            if (tag == tagText(rawValue(action))) {
                profile.buttonActionOverrides[button] = action;
                return;
            }
        }
    });
}

void AppProfileEditorCard::chooseMacro(std::int64_t button, const QString& tag)
{
    edit([button, tag](AppInputProfile& profile) {
        if (tag == tagText(kNoMacroTag)) {
            profile.macroBindings.erase(button);
        } else if (const auto id = Uuid::parse(tag.toStdString())) {
            profile.macroBindings[button] = *id;
        }
    });
}

void AppProfileEditorCard::showProfile(const AppInputProfile& profile, bool isCurrentlyActive)
{
    m_profile = profile;
    m_isCurrentlyActive = isCurrentlyActive;
    syncMacroEntries();
    syncControls();
}

void AppProfileEditorCard::syncTexts()
{
    m_activeBadge->setText(tarnQText("ACTIVE", "AKTİF", m_viewModel.language()));
    m_wheelLabel->setText(tarnQText("Wheel:", "Tekerlek:", m_viewModel.language()));
    m_smoothLabel->setText(tarnQText("Smooth:", "Akıcı:", m_viewModel.language()));
    const std::array<std::pair<QString, QString>, 3> choices {{
        {tarnQText("Global", "Global", m_viewModel.language()), tarnQText("Global", "Global", m_viewModel.language())},
        {tarnQText("Reversed", "Ters", m_viewModel.language()), tarnQText("On", "Açık", m_viewModel.language())},
        {tarnQText("Natural", "Doğal", m_viewModel.language()), tarnQText("Off", "Kapalı", m_viewModel.language())},
    }};
    for (int index = 0; index < static_cast<int>(choices.size()); ++index) {
        setEntryText(m_wheel, index, choices[static_cast<std::size_t>(index)].first);
        setEntryText(m_smooth, index, choices[static_cast<std::size_t>(index)].second);
    }
    m_customSpeed->setText(plainButtonText(tarnQText("Custom Speed", "Özel Hız", m_viewModel.language())));
    const auto language = m_viewModel.language();
    for (std::size_t index = 0; index < kAllMouseButtonKinds.size(); ++index) {
        m_buttonLabels[index]->setText(
            tarnQText(kButtonRowTexts[index].en, kButtonRowTexts[index].tr, m_viewModel.language()));
        auto* action = m_actionPickers[index];
        setEntryText(action, 0, tarnQText("Inherit Global Action", "Global Eylemi Kullan", m_viewModel.language()));
        for (std::size_t choice = 0; choice < kAllMouseButtonActions.size(); ++choice) {
            const auto value = kAllMouseButtonActions[choice];
            setEntryText(action, static_cast<int>(choice) + 1, tarnQText(labelEN(value), labelTR(value), language));
        }
        setEntryText(m_macroPickers[index], 0, tarnQText("No Macro Override", "Makro Yok", m_viewModel.language()));
    }
    syncMacroEntries();
}

void AppProfileEditorCard::syncMacroEntries()
{
    std::vector<std::pair<Uuid, std::string>> macros;
    for (const auto& macro : m_viewModel.settings().macros) {
        macros.emplace_back(macro.id, macro.name);
    }
    const bool sameEntries = macros == m_shownMacros && m_macroPickers[0]->count() == int(macros.size()) + 1;
    if (!sameEntries) {
        m_shownMacros = std::move(macros);
        // Rebuilt only when the macros themselves changed, so an open list is not swept away by
        // an unrelated save.
        for (auto* picker : m_macroPickers) {
            const QSignalBlocker blocker(picker);
            picker->clear();
            picker->addItem(tarnQText("No Macro Override", "Makro Yok", m_viewModel.language()), tagText(kNoMacroTag));
            for (const auto& [id, name] : m_shownMacros) {
                picker->addItem(
                    QStringLiteral("⚡ ") + QString::fromStdString(name), QString::fromStdString(id.toString()));
            }
        }
    }
    for (auto* picker : m_macroPickers) {
        picker->setVisible(!m_shownMacros.empty());
    }
}

void AppProfileEditorCard::syncControls()
{
    setBorder(m_isCurrentlyActive ? faded(TarnGlassTokens::success(), 0.65) : TarnGlassTokens::borderSubtle());
    m_activeBadge->setVisible(m_isCurrentlyActive);
    m_name->setText(QString::fromStdString(m_profile.appName));
    m_bundle->setText(QString::fromStdString(m_profile.bundleIdentifier));
    {
        const QSignalBlocker blocker(m_enabled);
        m_enabled->setChecked(m_profile.isEnabled);
    }
    const std::pair<QComboBox*, std::optional<bool>> triStates[] {
        {m_wheel, m_profile.reverseMouseWheelOverride}, {m_smooth, m_profile.smoothScrollOverride}};
    for (const auto& [picker, value] : triStates) {
        const QSignalBlocker blocker(picker);
        const auto state = triStateOverride(value);
        picker->setCurrentIndex(
            static_cast<int>(std::find(kAllTriStateOverrides.begin(), kAllTriStateOverrides.end(), state)
                - kAllTriStateOverrides.begin()));
    }
    const auto& speed = m_profile.scrollSpeedMultiplierOverride;
    {
        const QSignalBlocker blocker(m_customSpeed);
        m_customSpeed->setChecked(speed.has_value());
    }
    m_speedSlider->setVisible(speed.has_value());
    m_speedValue->setVisible(speed.has_value());
    if (speed) {
        m_speedSlider->setValue(*speed);
        m_speedValue->setText(speedText(*speed));
    }
    for (std::size_t index = 0; index < kAllMouseButtonKinds.size(); ++index) {
        const auto kind = kAllMouseButtonKinds[index];
        const auto action = m_profile.buttonAction(kind);
        showTag(m_actionPickers[index], action ? tagText(rawValue(*action)) : tagText(kGlobalActionTag));
        const auto macro = m_profile.macroID(kind);
        showTag(m_macroPickers[index], macro ? QString::fromStdString(macro->toString()) : tagText(kNoMacroTag));
    }
}

QString AppProfileEditorCard::speedText(double speed)
{
    return QString::fromStdString(fmt::format("{:.2f}×", speed));
}

} // namespace tarn::input
