#include "TarnKit/UI/Brand/TarnBrandMark.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <gtest/gtest.h>

#include "TarnKit/UI/Brand/TarnAppEmblemView.h"
#include "TarnKit/UI/Brand/TarnBrandMarkGeometry.h"

namespace tarn {
namespace {

QImage render(QWidget& widget)
{
    widget.setAttribute(Qt::WA_TranslucentBackground);
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(TarnBrandMarkGeometryTest, ThreeEightPointPiecesNearlyTouchingBothSides)
{
    ASSERT_EQ(TarnBrandMarkGeometry::allPieces.size(), 3U);
    EXPECT_EQ(TarnBrandMarkGeometry::allPieces[0], TarnBrandMarkGeometry::topRightPiece);
    EXPECT_EQ(TarnBrandMarkGeometry::allPieces[1], TarnBrandMarkGeometry::leftPiece);
    EXPECT_EQ(TarnBrandMarkGeometry::allPieces[2], TarnBrandMarkGeometry::bottomRightPiece);
    double left = 64;
    double right = 0;
    for (const auto& piece : TarnBrandMarkGeometry::allPieces) {
        for (const QPointF& point : piece) {
            left = std::min(left, point.x());
            right = std::max(right, point.x());
        }
    }
    EXPECT_DOUBLE_EQ(left, 1.81);
    EXPECT_DOUBLE_EQ(right, 62.19);
    EXPECT_EQ(TarnBrandMarkGeometry::viewBoxSize, 64.0);
}

// Design points well inside a piece and well outside every piece.
const QPointF kInsideLeftPiece(8, 48);
const QPointF kInsideBottomRight(40, 52);
const QPointF kOutside(58, 10);

TEST(TarnBrandMarkTest, DrawsThePiecesScaledFromTheDesignBox)
{
    const QPolygonF left(
        QList<QPointF>(TarnBrandMarkGeometry::leftPiece.begin(), TarnBrandMarkGeometry::leftPiece.end()));
    ASSERT_TRUE(left.containsPoint(kInsideLeftPiece, Qt::WindingFill));

    for (const double size : {64.0, 32.0}) {
        SCOPED_TRACE(size);
        TarnBrandMark mark(size, TarnBrandMarkStyle::harrowfenSuite());
        EXPECT_EQ(mark.size(), QSize(int(size), int(size)));
        EXPECT_TRUE(mark.showsVectorMark());
        const QImage image = render(mark);
        const double scale = size / 64.0;
        const auto at = [&](QPointF design) { return image.pixelColor((design * scale).toPoint()); };
        EXPECT_EQ(at(kInsideLeftPiece).alpha(), 255);
        EXPECT_EQ(at(kInsideBottomRight).alpha(), 255);
        EXPECT_EQ(at(kOutside).alpha(), 0);
        // Silver: light and slightly blue.
        EXPECT_GT(at(kInsideLeftPiece).red(), 180);
        EXPECT_GE(at(kInsideLeftPiece).blue(), at(kInsideLeftPiece).red());
    }
}

TEST(TarnBrandMarkTest, ChoosesBetweenEmblemAndVectorMarkByStyle)
{
    TarnBrandMark suite(24, TarnBrandMarkStyle::harrowfenSuite());
    TarnBrandMark current(24, TarnBrandMarkStyle::currentApp());
    TarnBrandMark app(24, TarnBrandMarkStyle::app(TarnAppIdentity::tarnInput));
    EXPECT_TRUE(suite.showsVectorMark());
    EXPECT_FALSE(app.showsVectorMark());
    // This program is in the family catalog, so the current-application style shows its emblem.
    ASSERT_EQ(currentTarnAppIdentity(), TarnAppIdentity::tarnInput);
    EXPECT_FALSE(current.showsVectorMark());
    const QImage emblem = render(app);
    EXPECT_EQ(render(current), emblem);
    EXPECT_NE(emblem, render(suite));
    // This program's emblem is a white mouse: its body lies left of and below the centre.
    EXPECT_GT(emblem.pixelColor(10, 16).alpha(), 200);
    EXPECT_GT(emblem.pixelColor(10, 16).red(), 240);
    EXPECT_EQ(emblem.pixelColor(2, 12).alpha(), 0);
}

TEST(TarnAppEmblemViewTest, ATemplateEmblemKeepsTheShapeInThePensColour)
{
    const auto paint = [](bool asTemplate) {
        QImage image(48, 48, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setPen(QColor(200, 30, 40));
        TarnAppEmblemView::paint(painter, QRectF(0, 0, 48, 48), 48, TarnAppIdentity::tarnInput, asTemplate);
        return image;
    };
    const QImage glass = paint(false);
    const QImage shape = paint(true);
    int covered = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const QColor pixel = shape.pixelColor(x, y);
            ASSERT_EQ(pixel.alpha(), glass.pixelColor(x, y).alpha()) << x << "," << y;
            // Colours of faint pixels lose precision to premultiplied alpha.
            if (pixel.alpha() > 128) {
                ++covered;
                ASSERT_NEAR(pixel.red(), 200, 2) << x << "," << y;
                ASSERT_NEAR(pixel.green(), 30, 2) << x << "," << y;
                ASSERT_NEAR(pixel.blue(), 40, 2) << x << "," << y;
            }
        }
    }
    EXPECT_GT(covered, 100);
}

} // namespace
} // namespace tarn
