#include "TarnKit/UI/Text/TarnTextStyles.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>

namespace tarn {

namespace {

// Qt sizes fonts in points at 72 per inch against a logical resolution of 96 per inch, which is
// what Qt 6 reports once high-DPI scaling has been applied.
constexpr double kPointsPerLogicalPixel = 72.0 / 96.0;

} // namespace

double TarnTextStyles::size(TarnTextStyle style)
{
    switch (style) {
    case TarnTextStyle::largeTitle:
        return 26.0;
    case TarnTextStyle::title:
        return 22.0;
    case TarnTextStyle::title2:
        return 17.0;
    case TarnTextStyle::title3:
        return 15.0;
    case TarnTextStyle::headline:
    case TarnTextStyle::body:
        return 13.0;
    case TarnTextStyle::callout:
        return 12.0;
    case TarnTextStyle::subheadline:
        return 11.0;
    case TarnTextStyle::footnote:
    case TarnTextStyle::caption:
    case TarnTextStyle::caption2:
        return 10.0;
    }
    return 13.0;
}

QFont::Weight TarnTextStyles::weight(TarnTextStyle style)
{
    return style == TarnTextStyle::headline ? QFont::Bold : QFont::Normal;
}

QFont TarnTextStyles::font(TarnTextStyle style, TarnFontDesign design)
{
    return systemFont(size(style), weight(style), design);
}

QFont TarnTextStyles::font(TarnTextStyle style, QFont::Weight weight, TarnFontDesign design)
{
    return systemFont(size(style), weight, design);
}

QFont TarnTextStyles::systemFont(double logicalPixels, QFont::Weight weight, TarnFontDesign design)
{
    QFont font = design == TarnFontDesign::monospaced ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont();
    font.setPointSizeF(logicalPixels * kPointsPerLogicalPixel);
    font.setWeight(weight);
    return font;
}

QString TarnTextStyles::oneLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QChar::LineSeparator, QLatin1Char(' '));
    line.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    return line;
}

QString TarnTextStyles::singleLine(const QString& text, const QFontMetricsF& metrics, double availableWidth)
{
    const QString line = oneLine(text);
    if (metrics.horizontalAdvance(line) <= availableWidth) {
        return line;
    }
    return metrics.elidedText(line, Qt::ElideRight, std::max(0.0, availableWidth));
}

void TarnTextStyles::drawCentredLine(QPainter& painter, const QRectF& area, const QString& text,
    const QFontMetricsF& metrics, const QFont& font, const QColor& color)
{
    painter.setFont(font);
    painter.setPen(color);
    // A line reads in its own direction whatever the surrounding layout's, as a label's does: an
    // English "Choose Image…" in a mirrored sheet keeps its ellipsis at the end.
    const QString line = singleLine(text, metrics, area.width());
    const Qt::LayoutDirection direction = painter.layoutDirection();
    painter.setLayoutDirection(line.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, line);
    painter.setLayoutDirection(direction);
}

} // namespace tarn
