#include "TarnInput/Screens/Profiles/MacroStudioRow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "TarnInput/Screens/Controls/CapsuleChip.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Controls/SymbolButton.h"
#include "TarnInput/Screens/Profiles/StepStrip.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn::input {

void labelTriggerPicker(QComboBox* picker, std::string_view noneEN, std::string_view noneTR, TarnLanguage language)
{
    QStringList labels {tarnQText(noneEN, noneTR, language)};
    for (const auto kind : kAllMouseButtonKinds) {
        labels << tarnQText(labelEN(kind), labelTR(kind), language);
    }
    for (int index = 0; index < labels.size(); ++index) {
        if (index < picker->count()) {
            picker->setItemText(index, labels[index]);
        } else {
            picker->addItem(labels[index]);
        }
    }
}

int triggerPickerIndex(std::optional<std::int64_t> buttonNumber)
{
    for (std::size_t index = 0; index < kAllMouseButtonKinds.size(); ++index) {
        if (buttonNumber == rawValue(kAllMouseButtonKinds[index])) {
            return static_cast<int>(index) + 1;
        }
    }
    return 0;
}

std::optional<std::int64_t> triggerAtPickerIndex(int index)
{
    if (index < 1 || index > static_cast<int>(kAllMouseButtonKinds.size())) {
        return std::nullopt;
    }
    return rawValue(kAllMouseButtonKinds[static_cast<std::size_t>(index - 1)]);
}

MacroStudioRow::MacroStudioRow(const QColor& accent, QWidget* parent)
    : RoundedPlate(11, TarnGlassTokens::surface2(), parent)
    , m_switch(new SwitchToggle)
    , m_name(makeTextLabel(TarnTextStyle::body, QFont::Bold, Qt::white, false))
    , m_summary(new CapsuleChip)
    , m_description(makeTextLabel(TarnTextStyle::subheadline, QFont::Normal, TarnGlassTokens::textSecondary(), false))
    , m_trigger(new QComboBox)
    , m_test(new TarnGlassButton)
    , m_steps(new StepStrip(6, 0))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(9);

    m_switch->setObjectName("macroEnabled");
    m_switch->setControlSize(SwitchToggle::Size::small);
    m_switch->setAccent(accent);
    connect(m_switch, &QAbstractButton::clicked, this, &MacroStudioRow::toggleRequested);
    m_name->setObjectName("macroName");
    m_name->setMinimumWidth(1);
    m_summary->setObjectName("macroSummary");
    m_summary->setTextFont(TarnTextStyles::systemFont(10.5, QFont::DemiBold, TarnFontDesign::monospaced));
    m_summary->setColors(TarnGlassTokens::textSecondary(), QColor(0, 0, 0, 61));
    m_summary->setPadding(7, 2);
    m_description->setObjectName("macroDescription");
    m_description->setMinimumWidth(1);
    m_trigger->setObjectName("macroTrigger");
    m_trigger->setFixedWidth(175);
    connect(
        m_trigger, &QComboBox::activated, this, [this](int index) { emit triggerChosen(triggerAtPickerIndex(index)); });
    m_test->setObjectName("testMacro");
    m_test->setSymbol("play.fill");
    m_test->setActive(true);
    connect(m_test, &QAbstractButton::clicked, this, &MacroStudioRow::testRequested);
    auto* edit = new TarnGlassButton;
    edit->setObjectName("editMacro");
    edit->setSymbol("pencil");
    connect(edit, &QAbstractButton::clicked, this, &MacroStudioRow::editRequested);
    auto* trash = new SymbolButton("trash", TarnGlassTokens::danger(), 15);
    trash->setObjectName("removeMacro");
    connect(trash, &QAbstractButton::clicked, this, &MacroStudioRow::removeRequested);

    auto* titleLine = makeRow(8);
    titleLine->addWidget(m_name);
    titleLine->addWidget(m_summary);
    titleLine->addStretch(1);
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    names->addLayout(titleLine);
    names->addWidget(m_description);
    auto* top = makeRow(10);
    top->addWidget(m_switch);
    top->addLayout(names, 1);
    top->addWidget(m_trigger);
    top->addWidget(m_test);
    top->addWidget(edit);
    top->addWidget(trash);
    column->addLayout(top);

    m_steps->setObjectName("macroSteps");
    column->addWidget(m_steps);
}

void MacroStudioRow::display(const InputMacro& macro, std::int64_t durationMs, TarnLanguage language)
{
    {
        const QSignalBlocker blocker(m_switch);
        m_switch->setChecked(macro.isEnabled);
    }
    m_name->setText(QString::fromStdString(macro.name));
    m_summary->setText(QStringLiteral("%1 %2 · %3 ms")
                           .arg(macro.steps.size())
                           .arg(tarnQText("steps", "adım", language))
                           .arg(durationMs));
    m_description->setText(QString::fromStdString(macro.description));
    m_description->setVisible(!macro.description.empty());
    {
        const QSignalBlocker blocker(m_trigger);
        labelTriggerPicker(m_trigger, "Unbound", "Tuş Atanmadı", language);
        m_trigger->setCurrentIndex(triggerPickerIndex(macro.triggerButtonNumber));
    }
    m_test->setText(tarnQText("Test", "Test Et", language));
    if (m_shownSteps != macro.steps || m_shownLanguage != language) {
        displaySteps(macro.steps, language);
    }
}

void MacroStudioRow::displaySteps(const std::vector<MacroStep>& steps, TarnLanguage language)
{
    m_shownSteps = steps;
    m_shownLanguage = language;
    m_steps->clear();
    for (std::size_t index = 0; index < steps.size(); ++index) {
        if (index > 0) {
            auto* chevron = new SymbolLabel(
                "chevron.right", TarnTextStyles::systemFont(8.5, QFont::Bold), TarnGlassTokens::textMuted());
            m_steps->append(chevron);
        }
        auto* badge = new CapsuleChip;
        badge->setObjectName("macroStepBadge");
        badge->setText(QString::fromStdString(steps[index].linuxBadge(language == TarnLanguage::tr)));
        badge->setTextFont(TarnTextStyles::systemFont(10.5, QFont::DemiBold, TarnFontDesign::monospaced));
        badge->setColors(TarnGlassTokens::textPrimary(), TarnGlassTokens::surface3());
        badge->setPadding(8, 3);
        m_steps->append(badge);
    }
}

} // namespace tarn::input
