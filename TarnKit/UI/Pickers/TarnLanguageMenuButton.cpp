#include "TarnKit/UI/Pickers/TarnLanguageMenuButton.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QFontMetricsF>
#include <QIcon>
#include <QMenu>
#include <QPainter>

#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Pickers/TarnLanguageNames.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

namespace {

const QString kSystemCode = QStringLiteral("system");
constexpr double kMenuCheckSide = 16.0;

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TarnLanguageMenuButton::TarnLanguageMenuButton(TarnLanguage language, QWidget* parent, TarnLanguageSettings* settings)
    : QToolButton(parent)
    , m_language(language)
    , m_state(settings != nullptr ? *settings : TarnLanguageSettings::shared())
    , m_menu(new QMenu(this))
    , m_systemAction(nullptr)
{
    setObjectName(QStringLiteral("languageMenuButton"));
    m_menu->setObjectName(QStringLiteral("languageMenu"));
    setFont(labelFont());
    setPopupMode(QToolButton::InstantPopup);
    setAutoRaise(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_systemAction = m_menu->addAction(QString());
    m_systemAction->setData(kSystemCode);
    m_systemAction->setObjectName(QStringLiteral("language-system"));
    m_menu->addSeparator();
    for (const TarnLanguage row : sortedTarnLanguages()) {
        QAction* action = m_menu->addAction(TarnLanguageNames::shownName(row));
        action->setData(toQString(rawValue(row)));
        action->setObjectName(QStringLiteral("language-") + toQString(rawValue(row)));
    }
    setMenu(m_menu);
    connect(m_menu, &QMenu::aboutToShow, this, &TarnLanguageMenuButton::onMenuAboutToShow);
    connect(m_menu, &QMenu::triggered, this, &TarnLanguageMenuButton::onMenuTriggered);
    refresh();
}

void TarnLanguageMenuButton::setLanguage(TarnLanguage language)
{
    if (language == m_language) {
        return;
    }
    m_language = language;
    refresh();
}

QString TarnLanguageMenuButton::shortCodeText() const
{
    return toQString(shortCode(m_language));
}

QFont TarnLanguageMenuButton::labelFont()
{
    return TarnTextStyles::systemFont(kFontSize, QFont::DemiBold, TarnFontDesign::rounded);
}

QSize TarnLanguageMenuButton::sizeHint() const
{
    const QFontMetricsF metrics(labelFont(), this);
    const double globe = TarnSymbolIcons::sideForText(metrics);
    const double width = globe + kSpacing + metrics.horizontalAdvance(shortCodeText()) + 2.0 * kHorizontalPadding;
    const double height = std::max(globe, metrics.height()) + 2.0 * kVerticalPadding;
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

QSize TarnLanguageMenuButton::minimumSizeHint() const
{
    return sizeHint();
}

void TarnLanguageMenuButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRectF bounds(rect());
    TarnContinuousShape::paintCapsule(painter, bounds, TarnGlassTokens::surface2(), TarnGlassTokens::borderSubtle());

    const QFontMetricsF metrics(labelFont(), this);
    const double globe = TarnSymbolIcons::sideForText(metrics);
    const QString code = shortCodeText();
    const double rowWidth = globe + kSpacing + metrics.horizontalAdvance(code);
    const double left = bounds.center().x() - rowWidth / 2.0;
    const double middle = bounds.center().y();
    TarnSymbolIcons::paint(
        painter, QRectF(left, middle - globe / 2.0, globe, globe), "globe", TarnGlassTokens::textPrimary());
    painter.setFont(labelFont());
    painter.setPen(TarnGlassTokens::textPrimary());
    const QRectF textArea(left + globe + kSpacing, bounds.top(), rowWidth - globe - kSpacing, bounds.height());
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, code);
}

void TarnLanguageMenuButton::showEvent(QShowEvent* event)
{
    QToolButton::showEvent(event);
    // A choice made elsewhere while the button was hidden shows once it comes back.
    m_state.syncFromDefaults();
    refresh();
}

void TarnLanguageMenuButton::onMenuAboutToShow()
{
    refresh();
}

void TarnLanguageMenuButton::onMenuTriggered(QAction* action)
{
    const QString code = action->data().toString();
    m_state.chooseCode(code.toStdString(), [this](TarnLanguage chosen) {
        m_language = chosen;
        emit languageSelected(chosen);
    });
    refresh();
}

void TarnLanguageMenuButton::refresh()
{
    const QString help = QString::fromStdString(tarnText("Language", "Dil", m_language));
    setToolTip(help);
    setAccessibleName(help);
    m_systemAction->setText(QString::fromStdString(m_state.systemRowLabel(m_language)));

    const QColor checkColor = m_menu->palette().color(QPalette::WindowText);
    const QIcon check(TarnSymbolIcons::pixmap("checkmark", kMenuCheckSide, checkColor, devicePixelRatioF()));
    const bool following = m_state.isFollowingSystem();
    const QString current = toQString(rawValue(m_language));
    for (QAction* action : m_menu->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        const QString code = action->data().toString();
        const bool checked = code == kSystemCode ? following : (!following && code == current);
        action->setIcon(checked ? check : QIcon());
    }
    updateGeometry();
    update();
}

} // namespace tarn
