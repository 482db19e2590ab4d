#include "TarnInput/App/ElidedLabel.h"

#include <QFontMetricsF>

#include "TarnKit/UI/TarnTextStyles.h"

namespace tarn::input {

void ElidedLabel::setFullText(const QString& text)
{
    m_fullText = text;
    showFitted();
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
