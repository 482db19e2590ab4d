#include "TarnKit/UI/Brand/TarnAppEmblemView.h"

#include <QPainter>

#include "TarnKit/Emblems/TarnEmblemRenderer.h"

namespace tarn {

namespace {

constexpr double kPixelsPerPoint = 2.0;

// The emblem's coverage filled with `color`.
QImage tinted(const QImage& image, const QColor& color)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    return result;
}

} // namespace

void TarnAppEmblemView::paint(
    QPainter& painter, const QRectF& rect, double side, TarnAppIdentity identity, bool asTemplate)
{
    const QRectF square(rect.center().x() - side / 2.0, rect.center().y() - side / 2.0, side, side);
    const auto emblem = TarnEmblemRenderer::image(identity, side, kPixelsPerPoint, asTemplate);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(square, asTemplate ? tinted(emblem->image, painter.pen().color()) : emblem->image);
    painter.restore();
}

} // namespace tarn
