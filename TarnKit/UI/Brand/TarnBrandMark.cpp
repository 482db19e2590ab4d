#include "TarnKit/UI/Brand/TarnBrandMark.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "TarnKit/UI/Brand/TarnAppEmblemView.h"
#include "TarnKit/UI/Brand/TarnBrandMarkGeometry.h"

namespace tarn {

TarnBrandMark::TarnBrandMark(double size, TarnBrandMarkStyle style, QWidget* parent)
    : QWidget(parent)
    , m_size(size)
    , m_style(std::move(style))
{
    const int side = static_cast<int>(std::ceil(size));
    setFixedSize(side, side);
}

bool TarnBrandMark::showsVectorMark() const
{
    switch (m_style.kind()) {
    case TarnBrandMarkStyle::Kind::harrowfenSuite:
        return true;
    case TarnBrandMarkStyle::Kind::app:
        return false;
    case TarnBrandMarkStyle::Kind::currentApp:
        return !currentTarnAppIdentity().has_value();
    }
    return true;
}

QSize TarnBrandMark::sizeHint() const
{
    const int side = static_cast<int>(std::ceil(m_size));
    return {side, side};
}

void TarnBrandMark::paintVectorMark(QPainter& painter, const QRectF& rect)
{
    const double w = rect.width();
    const double h = rect.height();
    if (w <= 0 || h <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(rect.topLeft());

    QLinearGradient shading(QPointF(0, 0), QPointF(w, h));
    shading.setColorAt(0.0, QColor(255, 255, 255));
    shading.setColorAt(0.55, QColor(238, 241, 246));
    shading.setColorAt(1.0, QColor(195, 202, 216));

    // Both gradients span the whole box, so the sheen's bright band runs along one diagonal
    // across all three pieces.
    QLinearGradient sheen(QPointF(0, h), QPointF(w, 0));
    sheen.setColorAt(0.3, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.5, QColor::fromRgbF(1.0F, 1.0F, 1.0F, 0.55F));
    sheen.setColorAt(0.7, QColor(255, 255, 255, 0));

    const double sx = w / TarnBrandMarkGeometry::viewBoxSize;
    const double sy = h / TarnBrandMarkGeometry::viewBoxSize;
    for (const TarnBrandMarkGeometry::Piece& piece : TarnBrandMarkGeometry::allPieces) {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        path.moveTo(piece[0].x() * sx, piece[0].y() * sy);
        for (std::size_t i = 1; i < piece.size(); ++i) {
            path.lineTo(piece[i].x() * sx, piece[i].y() * sy);
        }
        path.closeSubpath();
        painter.fillPath(path, shading);
        painter.fillPath(path, sheen);
    }
    painter.restore();
}

void TarnBrandMark::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRectF box(
        QRectF(rect()).center().x() - m_size / 2.0, QRectF(rect()).center().y() - m_size / 2.0, m_size, m_size);
    switch (m_style.kind()) {
    case TarnBrandMarkStyle::Kind::harrowfenSuite:
        paintVectorMark(painter, box);
        return;
    case TarnBrandMarkStyle::Kind::app:
        if (const auto identity = m_style.appIdentity()) {
            TarnAppEmblemView::paint(painter, box, m_size, *identity);
        }
        return;
    case TarnBrandMarkStyle::Kind::currentApp:
        // Read on every paint: the catalog answer is never cached.
        if (const auto current = currentTarnAppIdentity()) {
            TarnAppEmblemView::paint(painter, box, m_size, *current);
        } else {
            paintVectorMark(painter, box);
        }
        return;
    }
}

} // namespace tarn
