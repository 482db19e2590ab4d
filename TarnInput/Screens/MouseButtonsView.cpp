#include "TarnInput/Screens/MouseButtonsView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "TarnInput/Screens/Controls/RunningAppsMenuButton.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Controls/SymbolButton.h"
#include "TarnInput/Screens/Profiles/NewRuleFormState.h"
#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"

namespace tarn::input {

namespace {

template <std::size_t N, typename Value> int indexOf(const std::array<Value, N>& values, Value value)
{
    return static_cast<int>(std::find(values.begin(), values.end(), value) - values.begin());
}

// Keeps a picker's entries in the order of `values`, each labelled in `language`.
template <std::size_t N, typename Value>
void labelEntries(QComboBox* picker, const std::array<Value, N>& values, TarnLanguage language)
{
    for (std::size_t index = 0; index < N; ++index) {
        const QString label = tarnQText(labelEN(values[index]), labelTR(values[index]), language);
        if (static_cast<int>(index) < picker->count()) {
            picker->setItemText(static_cast<int>(index), label);
        } else {
            picker->addItem(label);
        }
    }
}

} // namespace

MouseButtonsView::MouseButtonsView(ButtonsViewModel& viewModel, QColor accent, QWidget* parent)
    : ScreenPage(parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
    , m_form(new NewRuleFormState(this))
{
    setObjectName("buttonsScreen");
    addSection(buildGlobalCard());
    addSection(buildRulesCard());
    connect(&m_viewModel, &ButtonsViewModel::languageChanged, this, [this] {
        syncTexts();
        syncRules();
    });
    connect(&m_viewModel, &ButtonsViewModel::settingsChanged, this, &MouseButtonsView::syncSettings);
    connect(m_form, &NewRuleFormState::changed, this, &MouseButtonsView::syncForm);
    syncTexts();
    syncSettings();
    syncForm();
}

QComboBox* MouseButtonsView::actionPicker(const char* name)
{
    auto* picker = new QComboBox;
    picker->setObjectName(name);
    labelEntries(picker, kAllMouseButtonActions, m_viewModel.language());
    return picker;
}

QWidget* MouseButtonsView::buildGlobalCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);
    m_globalTitle = makeCardHeader("hand.tap.fill", 14.5, TarnGlassTokens::textPrimary());
    m_remapSwitch = new SwitchToggle;
    m_remapSwitch->setObjectName("buttonRemap");
    m_remapSwitch->setControlSize(SwitchToggle::Size::small);
    m_remapSwitch->setAccent(m_accent);
    m_remapSwitch->setLabelColor(TarnGlassTokens::textSecondary());
    connect(m_remapSwitch, &QAbstractButton::clicked, &m_viewModel, &ButtonsViewModel::setButtonRemap);
    m_globalTitle->addTrailing(m_remapSwitch);
    column->addWidget(m_globalTitle);

    for (std::size_t index = 0; index < kAllMouseButtonKinds.size(); ++index) {
        auto* row = makeRow();
        m_buttonLabels[index]
            = makeTextLabel(TarnTextStyle::body, QFont::Medium, TarnGlassTokens::textPrimary(), false);
        m_buttonLabels[index]->setFixedWidth(210);
        auto* picker = actionPicker(
            QStringLiteral("globalAction%1").arg(rawValue(kAllMouseButtonKinds[index])).toLatin1().constData());
        fitPickerToEntries(picker, 260);
        connect(picker, &QComboBox::activated, this, [this, button = kAllMouseButtonKinds[index]](int chosen) {
            m_viewModel.setGlobalAction(button, kAllMouseButtonActions[static_cast<std::size_t>(chosen)]);
        });
        m_globalPickers[index] = picker;
        row->addWidget(m_buttonLabels[index]);
        row->addStretch(1);
        row->addWidget(picker);
        column->addLayout(row);
    }
    return card;
}

QWidget* MouseButtonsView::buildRulesCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(12, &column);
    m_rulesTitle = makeTextLabel(14.5, QFont::Bold, TarnGlassTokens::textPrimary(), false);
    column->addWidget(m_rulesTitle);

    auto* form = makeRow(10);
    m_appMenu = new RunningAppsMenuButton({}, [this] { return m_viewModel.runningDesktopApps(); });
    m_appMenu->setObjectName("pickRunningApp");
    m_appMenu->setFixedWidth(170);
    connect(m_appMenu, &RunningAppsMenuButton::applicationChosen, this,
        [this](const QString& bundleID, const QString& name) {
            m_form->pickApp(bundleID.toStdString(), name.toStdString());
        });
    m_bundleField = new QLineEdit;
    m_bundleField->setObjectName("bundleIDField");
    m_bundleField->setPlaceholderText("App ID");
    connect(m_bundleField, &QLineEdit::textEdited, this,
        [this](const QString& typed) { m_form->setBundleID(typed.toStdString()); });
    m_formButton = new QComboBox;
    m_formButton->setObjectName("ruleButton");
    fitPickerToEntries(m_formButton, 180);
    connect(m_formButton, &QComboBox::activated, this,
        [this](int chosen) { m_form->setButton(kAllMouseButtonKinds[static_cast<std::size_t>(chosen)]); });
    m_formAction = actionPicker("ruleAction");
    fitPickerToEntries(m_formAction, 190);
    connect(m_formAction, &QComboBox::activated, this,
        [this](int chosen) { m_form->setAction(kAllMouseButtonActions[static_cast<std::size_t>(chosen)]); });
    m_addRule = new TarnPrimaryButton;
    m_addRule->setObjectName("addRule");
    connect(m_addRule, &QAbstractButton::clicked, this, &MouseButtonsView::addRule);
    form->addWidget(m_appMenu);
    form->addWidget(m_bundleField, 1);
    form->addWidget(m_formButton);
    form->addWidget(m_formAction);
    form->addWidget(m_addRule);
    column->addLayout(form);

    m_emptyRules = makeTextLabel(TarnTextStyle::callout, QFont::Normal, TarnGlassTokens::textMuted(), true);
    m_emptyRules->setObjectName("emptyRules");
    m_emptyRules->setContentsMargins(0, 6, 0, 6);
    column->addWidget(m_emptyRules);
    m_ruleRows = new QVBoxLayout;
    m_ruleRows->setContentsMargins(0, 0, 0, 0);
    m_ruleRows->setSpacing(12);
    column->addLayout(m_ruleRows);
    return card;
}

void MouseButtonsView::addRule()
{
    m_viewModel.addRule(m_form->bundleID(), m_form->appName(), m_form->button(), m_form->action());
}

void MouseButtonsView::syncTexts()
{
    const auto language = m_viewModel.language();
    m_globalTitle->setTitle(
        tarnQText("Global Extra Button Mapping", "Global Ek Fare Tuşu Atamaları", m_viewModel.language()));
    m_remapSwitch->setText(tarnQText("Enable Remapping", "Tuş Atamayı Aç", m_viewModel.language()));
    for (std::size_t index = 0; index < kAllMouseButtonKinds.size(); ++index) {
        m_buttonLabels[index]->setText(
            tarnQText(labelEN(kAllMouseButtonKinds[index]), labelTR(kAllMouseButtonKinds[index]), language));
        labelEntries(m_globalPickers[index], kAllMouseButtonActions, language);
    }
    m_rulesTitle->setText(
        tarnQText("Per-Application Overrides", "Uygulama Bazlı Özel Kurallar", m_viewModel.language()));
    m_appMenu->setText(tarnQText("Pick Running App", "Açık Uygulama Seç", m_viewModel.language()));
    labelEntries(m_formButton, kAllMouseButtonKinds, language);
    labelEntries(m_formAction, kAllMouseButtonActions, language);
    m_addRule->setText(tarnQText("Add Rule", "Kural Ekle", m_viewModel.language()));
    m_emptyRules->setText(
        tarnQText("No app-specific rules yet. Example: map Middle Click to Close Tab in Safari or Copy in "
                  "Figma.",
            "Henüz uygulama bazlı kural yok. Örnek: Safari’de Orta Tık → Sekme Kapat veya Figma’da Kopyala.",
            m_viewModel.language()));
}

void MouseButtonsView::syncSettings()
{
    const auto& settings = m_viewModel.settings();
    const QSignalBlocker remap(m_remapSwitch);
    m_remapSwitch->setChecked(settings.buttonRemapEnabled);
    for (std::size_t index = 0; index < kAllMouseButtonKinds.size(); ++index) {
        const QSignalBlocker blocker(m_globalPickers[index]);
        m_globalPickers[index]->setCurrentIndex(
            indexOf(kAllMouseButtonActions, settings.globalAction(kAllMouseButtonKinds[index])));
    }
    if (settings.appOverrides != m_shownRules) {
        syncRules();
    }
}

void MouseButtonsView::syncForm()
{
    const auto bundleID = QString::fromStdString(m_form->bundleID());
    if (m_bundleField->text() != bundleID) {
        const QSignalBlocker blocker(m_bundleField);
        m_bundleField->setText(bundleID);
    }
    const QSignalBlocker button(m_formButton);
    m_formButton->setCurrentIndex(indexOf(kAllMouseButtonKinds, m_form->button()));
    const QSignalBlocker action(m_formAction);
    m_formAction->setCurrentIndex(indexOf(kAllMouseButtonActions, m_form->action()));
}

void MouseButtonsView::syncRules()
{
    const auto language = m_viewModel.language();
    m_shownRules = m_viewModel.settings().appOverrides;
    // A row's own switch or trash may have caused this; rows go once control is back.
    discardWidgets(m_ruleRows);
    for (const auto& rule : m_shownRules) {
        auto* row = new RoundedPlate(10, TarnGlassTokens::surface2());
        row->setObjectName(QString::fromStdString("rule:" + rule.id.toString()));
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(10, 10, 10, 10);
        layout->setSpacing(10);
        auto* toggle = new SwitchToggle;
        toggle->setObjectName("ruleEnabled");
        toggle->setControlSize(SwitchToggle::Size::small);
        toggle->setAccent(m_accent);
        toggle->setChecked(rule.isEnabled);
        // The stored flag is inverted whatever the switch shows; the row is redrawn from it.
        connect(toggle, &QAbstractButton::clicked, this, [this, rule] { m_viewModel.toggleRule(rule); });
        auto* names = new QVBoxLayout;
        names->setSpacing(2);
        auto* name = makeTextLabel(TarnTextStyle::body, QFont::DemiBold, TarnGlassTokens::textPrimary(), false);
        name->setText(QString::fromStdString(rule.appDisplayName));
        name->setMinimumWidth(1);
        auto* bundle
            = makeTextLabel(10.5, QFont::Normal, TarnGlassTokens::textMuted(), false, TarnFontDesign::monospaced);
        bundle->setText(QString::fromStdString(rule.bundleIdentifier));
        bundle->setMinimumWidth(1);
        names->addWidget(name);
        names->addWidget(bundle);
        auto* button = makeTextLabel(11.5, QFont::Normal, TarnGlassTokens::textSecondary(), false);
        button->setObjectName("ruleButtonLabel");
        button->setText(tarnQText(labelEN(rule.button), labelTR(rule.button), language));
        auto* arrow = new SymbolLabel("arrow.right", TarnTextStyles::font(TarnTextStyle::caption), m_accent);
        auto* action = makeTextLabel(11.5, QFont::DemiBold, m_accent, false);
        action->setObjectName("ruleActionLabel");
        action->setText(tarnQText(labelEN(rule.action), labelTR(rule.action), language));
        auto* trash = new SymbolButton("trash", TarnGlassTokens::danger(), 15);
        trash->setObjectName("removeRule");
        connect(trash, &QAbstractButton::clicked, this, [this, rule] { m_viewModel.removeRule(rule); });
        layout->addWidget(toggle);
        layout->addLayout(names, 1);
        layout->addWidget(button);
        layout->addWidget(arrow);
        layout->addWidget(action);
        layout->addWidget(trash);
        m_ruleRows->addWidget(row);
    }
    m_emptyRules->setVisible(m_shownRules.empty());
}

} // namespace tarn::input
