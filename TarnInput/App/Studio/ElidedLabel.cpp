#include "TarnInput/App/Studio/ElidedLabel.h"

#include <QFontMetricsF>
#include <QtMath>

#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

void ElidedLabel::setFullText(const QString& text)
{
    m_fullText = text;
    showFitted();
    updateGeometry();
}

QSize ElidedLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const int width = qCeil(QFontMetricsF(font(), this).horizontalAdvance(TarnTextStyles::oneLine(m_fullText)));
    return {width + margins.left() + margins.right() + 2 * margin(), QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    // May shrink to nothing: the text is cut instead.
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    showFitted();
}

void ElidedLabel::showFitted()
{
    const QString line = TarnTextStyles::singleLine(m_fullText, QFontMetricsF(font(), this), contentsRect().width());
    setText(line);
    setToolTip(line == TarnTextStyles::oneLine(m_fullText) ? QString() : m_fullText);
}

} // namespace tarn::input
