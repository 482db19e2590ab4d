#include "TarnKit/UI/Pickers/TarnLanguagePicker.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/UI/Pickers/TarnLanguageNames.h"

namespace tarn {

namespace {

const QString kSystemCode = QStringLiteral("system");

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TarnLanguagePicker::TarnLanguagePicker(std::optional<QString> title, TarnLanguage language, bool showTitle,
    QWidget* parent, TarnLanguageSettings* settings)
    : QWidget(parent)
    , m_title(std::move(title))
    , m_language(language)
    , m_showTitle(showTitle)
    , m_state(settings != nullptr ? *settings : TarnLanguageSettings::shared())
    , m_titleLabel(new QLabel(this))
    , m_combo(new QComboBox(this))
{
    m_titleLabel->setObjectName(QStringLiteral("languagePickerTitle"));
    m_combo->setObjectName(QStringLiteral("languagePickerCombo"));
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_titleLabel);
    layout->addWidget(m_combo, 1);
    m_titleLabel->setBuddy(m_combo);
    m_titleLabel->setVisible(showTitle);

    m_combo->addItem(QString(), kSystemCode);
    m_combo->insertSeparator(1);
    for (const TarnLanguage row : sortedTarnLanguages()) {
        m_combo->addItem(TarnLanguageNames::shownName(row), toQString(rawValue(row)));
    }
    connect(m_combo, &QComboBox::activated, this, &TarnLanguagePicker::onComboActivated);
    refresh();
}

void TarnLanguagePicker::setLanguage(TarnLanguage language)
{
    if (language == m_language) {
        return;
    }
    m_language = language;
    refresh();
}

QString TarnLanguagePicker::title() const
{
    return m_title ? *m_title : QString::fromStdString(tarnText("Language", "Dil", m_language));
}

void TarnLanguagePicker::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A choice made elsewhere while the picker was hidden shows once it comes back.
    m_state.syncFromDefaults();
    refresh();
}

void TarnLanguagePicker::onComboActivated(int index)
{
    const QString code = m_combo->itemData(index).toString();
    m_state.chooseCode(code.toStdString(), [this](TarnLanguage chosen) {
        m_language = chosen;
        emit languageSelected(chosen);
    });
    refresh();
}

void TarnLanguagePicker::refresh()
{
    const QString shownTitle = title();
    m_titleLabel->setText(shownTitle);
    m_combo->setAccessibleName(shownTitle);

    const QSignalBlocker blocker(m_combo);
    m_combo->setItemText(0, QString::fromStdString(m_state.systemRowLabel(m_language)));
    const TarnLanguageSelection selection = m_state.selection(m_language);
    if (selection.isSystem()) {
        m_combo->setCurrentIndex(0);
    } else {
        m_combo->setCurrentIndex(m_combo->findData(toQString(rawValue(*selection.language()))));
    }
    boundWidth();
}

void TarnLanguagePicker::boundWidth()
{
    if (m_showTitle) {
        return;
    }
    setMinimumWidth(kMinimumUntitledWidth);
    // Wider only where a language's name needs it: the name chosen is never cut.
    setMaximumWidth(std::max(kMaximumUntitledWidth, m_combo->sizeHint().width()));
}

} // namespace tarn
