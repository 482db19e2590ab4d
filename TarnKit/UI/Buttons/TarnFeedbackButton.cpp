#include "TarnKit/UI/Buttons/TarnFeedbackButton.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "TarnKit/UI/Buttons/TarnGlassButtonStyle.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

TarnFeedbackButton::TarnFeedbackButton(std::string appName, TarnAppVersion version, TarnFeedbackKind kind,
    TarnLanguage language, TarnFeedbackButtonStyle style, std::optional<std::string> baseURL, QWidget* parent,
    const TarnFeedbackService* service)
    : QAbstractButton(parent)
    , m_appName(std::move(appName))
    , m_version(std::move(version))
    , m_kind(kind)
    , m_language(language)
    , m_style(style)
    , m_baseURL(std::move(baseURL))
    , m_service(service != nullptr ? *service : TarnFeedbackService::shared())
{
    setObjectName(QStringLiteral("feedbackButton"));
    setCursor(Qt::PointingHandCursor);
    setFont(labelFont());
    setToolTip(helpText(m_language));
    if (m_style == TarnFeedbackButtonStyle::compactIcon) {
        setAccessibleName(helpText(m_language));
    } else {
        setText(pillLabel(m_language));
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, &TarnFeedbackButton::onClicked);
}

QString TarnFeedbackButton::pillLabel(TarnLanguage language)
{
    return tarnQText("Send Feedback & Ideas", "Geri Bildirim & Fikir Gönder", language);
}

QString TarnFeedbackButton::helpText(TarnLanguage language)
{
    return tarnQText("Listening to you — Report a bug or share an idea",
        "Sizi dinliyoruz — Hata bildir veya fikir paylaş", language);
}

QFont TarnFeedbackButton::labelFont() const
{
    if (m_style == TarnFeedbackButtonStyle::compactIcon) {
        return TarnTextStyles::systemFont(kCompactSymbolFontSize, QFont::DemiBold);
    }
    return TarnTextStyles::font(TarnTextStyle::caption, QFont::Medium);
}

QSize TarnFeedbackButton::sizeHint() const
{
    const QFontMetricsF metrics(font(), this);
    QSizeF size;
    if (m_style == TarnFeedbackButtonStyle::compactIcon) {
        const double side = TarnSymbolIcons::sideForText(metrics);
        size = {side + 2.0 * kCompactHorizontalPadding, side + 2.0 * kCompactVerticalPadding};
    } else {
        size = TarnGlassButtonStyle::idealSize(metrics, text(), kSymbol);
    }
    return {static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height()))};
}

QSize TarnFeedbackButton::minimumSizeHint() const
{
    return sizeHint();
}

void TarnFeedbackButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRectF bounds(rect());
    const QFontMetricsF metrics(font(), this);
    if (m_style == TarnFeedbackButtonStyle::labeledPill) {
        TarnGlassButtonStyle(false).paint(painter, bounds, text(), metrics, isDown(), kSymbol, font());
        return;
    }
    TarnContinuousShape::paintCapsule(painter, bounds, TarnGlassTokens::surface2(), TarnGlassTokens::borderSubtle());
    const double side = TarnSymbolIcons::sideForText(metrics);
    TarnSymbolIcons::paint(painter,
        QRectF(bounds.center().x() - side / 2.0, bounds.center().y() - side / 2.0, side, side), kSymbol,
        TarnGlassTokens::textSecondary());
}

void TarnFeedbackButton::onClicked()
{
    m_service.openInBrowser(m_appName, m_version, m_kind, m_language,
        m_baseURL ? std::optional<std::string_view>(*m_baseURL) : std::nullopt);
}

} // namespace tarn
