#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "TarnKit/UI/TarnGlassButton.h"
#include "TarnKit/UI/TarnGlassButtonStyle.h"
#include "TarnKit/UI/TarnPrimaryButton.h"
#include "TarnKit/UI/TarnSymbolIcons.h"

namespace tarn {
namespace {

TEST(TarnButtonSymbol, ASymbolWidensTheButtonByItsSideAndGapAndKeepsTheHeight)
{
    TarnGlassButton glass("Copy Report");
    TarnPrimaryButton primary("Rescan HID");
    const QSize glassPlain = glass.sizeHint();
    const QSize primaryPlain = primary.sizeHint();
    glass.setSymbol("doc.on.clipboard");
    primary.setSymbol("arrow.clockwise");
    EXPECT_EQ(glass.symbol(), "doc.on.clipboard");
    EXPECT_GT(glass.sizeHint().width(), glassPlain.width());
    EXPECT_EQ(glass.sizeHint().height(), glassPlain.height());
    EXPECT_GT(primary.sizeHint().width(), primaryPlain.width());

    const QFontMetricsF metrics(TarnGlassButtonStyle::font());
    EXPECT_DOUBLE_EQ(TarnSymbolIcons::labelWidth(metrics, "", "Copy"), metrics.horizontalAdvance("Copy"));
    EXPECT_GT(TarnSymbolIcons::labelWidth(metrics, "trash", "Copy"),
        metrics.horizontalAdvance("Copy") + TarnSymbolIcons::sideForText(metrics));
}

TEST(TarnButtonSymbol, SymbolAndTextAreCentredTogether)
{
    QImage image(200, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    const QFont font = TarnGlassButtonStyle::font();
    const QColor colour(255, 184, 77);
    TarnSymbolIcons::drawCentredLabel(
        painter, QRectF(0, 0, 200, 40), "no.such.symbol", "Go", QFontMetricsF(font), font, colour);
    painter.end();
    // The fallback circle sits left of the centre, the text right of it.
    int leftmost = image.width();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::black)) {
                leftmost = std::min(leftmost, x);
            }
        }
    }
    const double expectedLeft = (200 - TarnSymbolIcons::labelWidth(QFontMetricsF(font), "x", "Go")) / 2;
    EXPECT_NEAR(leftmost, expectedLeft, 3);
}

} // namespace
} // namespace tarn
