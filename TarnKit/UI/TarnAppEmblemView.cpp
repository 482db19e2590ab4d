#include "TarnKit/UI/TarnAppEmblemView.h"

#include <QPainter>

#include "TarnKit/UI/TarnBrandMark.h"

namespace tarn {

void TarnAppEmblemView::paint(QPainter& painter, const QRectF& rect, double side, TarnAppIdentity /*identity*/)
{
    const QRectF square(rect.center().x() - side / 2.0, rect.center().y() - side / 2.0, side, side);
    TarnBrandMark::paintVectorMark(painter, square);
}

} // namespace tarn
