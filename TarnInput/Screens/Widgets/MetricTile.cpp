#include "TarnInput/Screens/Widgets/MetricTile.h"

#include <algorithm>

#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {
QFont valueFont(double size)
{
    return TarnTextStyles::systemFont(size, QFont::Bold, TarnFontDesign::monospaced);
}
QFont titleFont(double size)
{
    return TarnTextStyles::systemFont(size);
}
} // namespace

MetricTile::MetricTile(double valueSize, double titleSize, QWidget* parent)
    : QWidget(parent)
    , m_valueSize(valueSize)
    , m_titleSize(titleSize)
    , m_accent(Qt::white)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void MetricTile::setTitle(const QString& title)
{
    m_title = title;
    updateGeometry();
    update();
}

void MetricTile::setValue(const QString& value)
{
    m_value = value;
    update();
}

void MetricTile::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    update();
}

void MetricTile::setValueSize(double valueSize)
{
    m_valueSize = valueSize;
    updateGeometry();
    update();
}

void MetricTile::setAccent(const QColor& accent)
{
    m_accent = accent;
    update();
}

QColor MetricTile::valueColor() const
{
    return m_highlighted ? m_accent : QColor(Qt::white);
}

QSize MetricTile::sizeHint() const
{
    const QFontMetricsF value(valueFont(m_valueSize));
    const QFontMetricsF title(titleFont(m_titleSize));
    const double width = std::max(value.horizontalAdvance(m_value), title.horizontalAdvance(m_title)) + 2 * kPadding;
    return QSize(qCeil(width), qCeil(value.height() + kSpacing + title.height() + 2 * kPadding));
}

QSize MetricTile::minimumSizeHint() const
{
    return QSize(qCeil(2 * kPadding), sizeHint().height());
}

void MetricTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    TarnContinuousShape::paintRoundedRect(painter, QRectF(rect()), 10, TarnGlassTokens::surface2(), Qt::transparent);
    const QFont value = valueFont(m_valueSize);
    const QFontMetricsF valueMetrics(value);
    const QFontMetricsF blockTitleMetrics(titleFont(m_titleSize));
    // Value and title sit together in the middle, so a tile stretched to its row's height (a
    // smaller value beside larger ones) lines its title up with its neighbours'.
    const double block = valueMetrics.height() + kSpacing + blockTitleMetrics.height();
    const double top = std::max(kPadding, (height() - block) / 2);
    const QRectF content = QRectF(rect()).adjusted(kPadding, top, -kPadding, -kPadding);
    painter.setFont(value);
    painter.setPen(valueColor());
    TarnBidiText::drawText(painter, QRectF(content.left(), content.top(), content.width(), valueMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter, TarnTextStyles::singleLine(m_value, valueMetrics, content.width()));
    const QFont title = titleFont(m_titleSize);
    const QFontMetricsF titleMetrics(title);
    painter.setFont(title);
    painter.setPen(TarnGlassTokens::textMuted());
    TarnBidiText::drawText(painter,
        QRectF(
            content.left(), content.top() + valueMetrics.height() + kSpacing, content.width(), titleMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter, TarnTextStyles::singleLine(m_title, titleMetrics, content.width()));
}

} // namespace tarn::input
