#include "TarnKit/UI/Glass/TarnFocusRing.h"

#include <algorithm>

#include <QApplication>
#include <QFocusFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"

namespace tarn {
namespace {

constexpr double kButtonRadius = 8.0;

} // namespace

TarnFocusRing::TarnFocusRing(QObject* parent)
    : QObject(parent)
{
}

TarnFocusRing::~TarnFocusRing()
{
    if (m_frame) {
        // Qt may be going through every widget (a change of style); the frame goes afterwards.
        m_frame->setWidget(nullptr);
        m_frame->deleteLater();
    }
}

QWidget* TarnFocusRing::ringedControl() const
{
    return m_frame && m_frame->isVisible() ? m_frame->widget() : nullptr;
}

bool TarnFocusRing::showsOn(const QWidget& control)
{
    // Qt marks a window whose focus the keyboard moved; a click there clears the mark (below).
    return !control.isWindow() && control.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

double TarnFocusRing::cornerRadiusOf(const QWidget& control)
{
    const QVariant radius = control.property("tarnCornerRadius");
    if (radius.isValid()) {
        return radius.toDouble();
    }
    return std::min(kButtonRadius, control.height() / 2.0);
}

void TarnFocusRing::paint(QPainter& painter, const QRectF& frame, double controlRadius, const QColor& accent)
{
    const QRectF edge = frame.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(accent, kLineWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(TarnContinuousShape::roundedRect(edge, controlRadius));
    painter.restore();
}

bool TarnFocusRing::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        follow(QApplication::focusWidget());
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (auto* widget = qobject_cast<QWidget*>(watched)) {
            // The user went back to the mouse: the window shows no ring until the next Tab.
            widget->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
            follow(QApplication::focusWidget());
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TarnFocusRing::follow(QWidget* focused)
{
    if (focused == nullptr || !showsOn(*focused)) {
        if (m_frame) {
            m_frame->setWidget(nullptr);
        }
        return;
    }
    if (!m_frame) {
        // It lives beside the control it rings; deleted with that parent, made again when needed.
        m_frame = new QFocusFrame(focused);
        m_frame->setObjectName(QStringLiteral("tarnFocusRing"));
    }
    if (m_frame->widget() != focused) {
        m_frame->setWidget(focused);
    }
}

} // namespace tarn
