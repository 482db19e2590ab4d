#include "TarnKit/UI/TarnAppEmblemView.h"

#include <QPainter>

#include "TarnKit/Emblems/TarnEmblemRenderer.h"

namespace tarn {

namespace {

constexpr double kPixelsPerPoint = 2.0;

} // namespace

void TarnAppEmblemView::paint(QPainter& painter, const QRectF& rect, double side, TarnAppIdentity identity)
{
    const QRectF square(rect.center().x() - side / 2.0, rect.center().y() - side / 2.0, side, side);
    const auto emblem = TarnEmblemRenderer::image(identity, side, kPixelsPerPoint, false);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(square, emblem->image);
    painter.restore();
}

} // namespace tarn
