#include "TarnKit/UI/Glass/TarnGlassStyle.h"

#include <QApplication>
#include <QFocusFrame>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include "TarnKit/UI/Glass/TarnFocusRing.h"
#include "TarnKit/UI/Text/TarnBidiText.h"

namespace tarn {

TarnGlassStyle::TarnGlassStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void TarnGlassStyle::polish(QApplication* application)
{
    QProxyStyle::polish(application);
    if (!m_focusRing) {
        m_focusRing = new TarnFocusRing(this);
    }
    application->installEventFilter(m_focusRing);
}

void TarnGlassStyle::unpolish(QApplication* application)
{
    if (m_focusRing) {
        application->removeEventFilter(m_focusRing);
        delete m_focusRing;
        m_focusRing = nullptr;
    }
    QProxyStyle::unpolish(application);
}

int TarnGlassStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_FocusFrameHMargin || metric == PM_FocusFrameVMargin) {
        return TarnFocusRing::kMargin;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int TarnGlassStyle::styleHint(
    StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* returnData) const
{
    if (hint == SH_FocusFrame_AboveWidget) {
        return 1;
    }
    if (hint == SH_FocusFrame_Mask && option != nullptr) {
        // Only the band of the ring: the control under it stays untouched and clickable.
        if (auto* mask = qstyleoption_cast<QStyleHintReturnMask*>(returnData)) {
            const int inside = TarnFocusRing::kMargin + static_cast<int>(TarnFocusRing::kLineWidth);
            mask->region = QRegion(option->rect) - QRegion(option->rect.adjusted(inside, inside, -inside, -inside));
        }
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void TarnGlassStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (element != CE_FocusFrame) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const auto* frame = qobject_cast<const QFocusFrame*>(widget);
    const QWidget* control = frame != nullptr ? frame->widget() : nullptr;
    if (control != nullptr) {
        TarnFocusRing::paint(*painter, QRectF(option->rect), TarnFocusRing::cornerRadiusOf(*control),
            option->palette.color(QPalette::Highlight));
    }
}

void TarnGlassStyle::drawPrimitive(
    PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    // The focus ring shows the focus of every control; Fusion's own rectangle would be a second.
    if (element == PE_FrameFocusRect) {
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TarnGlassStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
    bool enabled, const QString& text, QPalette::ColorRole textRole) const
{
    // "80 ms" in a picker of a mirrored window stays "80 ms"; the control still aligns it.
    const Qt::LayoutDirection layout = painter->layoutDirection();
    painter->setLayoutDirection(TarnBidiText::directionOf(text));
    QProxyStyle::drawItemText(
        painter, rect, TarnBidiText::absoluteFlags(flags, layout), palette, enabled, text, textRole);
    painter->setLayoutDirection(layout);
}

} // namespace tarn
