#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnGlassButtonStyle.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnSymbolLabel.h"

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

// The span of the columns painted more opaque than `threshold`, the text being blank so that only
// the symbol shows.
std::pair<int, int> paintedSpan(const QImage& image, int threshold = 0)
{
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > threshold) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

TEST(TarnButtonSymbol, TheSymbolLeadsOnTheRightInARightToLeftLayout)
{
    const QString blank(12, QLatin1Char(' '));
    const QFont font = TarnGlassButtonStyle::font();
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        SCOPED_TRACE(direction == Qt::RightToLeft ? "right to left" : "left to right");
        QImage image(200, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setLayoutDirection(direction);
        TarnSymbolIcons::drawCentredLabel(
            painter, QRectF(0, 0, 200, 40), "no.such.symbol", blank, QFontMetricsF(font), font, Qt::white);
        painter.end();
        const auto [left, right] = paintedSpan(image.convertToFormat(QImage::Format_ARGB32));
        if (direction == Qt::RightToLeft) {
            EXPECT_GT(left, 100);
        } else {
            EXPECT_LT(right, 100);
        }

        TarnSymbolLabel label("no.such.symbol", blank, font, Qt::white);
        label.setLayoutDirection(direction);
        label.setAttribute(Qt::WA_TranslucentBackground);
        label.resize(200, 20);
        const auto [labelLeft, labelRight] = paintedSpan(label.grab().toImage().convertToFormat(QImage::Format_ARGB32));
        if (direction == Qt::RightToLeft) {
            EXPECT_GT(labelLeft, 170);
        } else {
            EXPECT_LT(labelRight, 30);
        }

        // A button paints its label in its own direction; its faint glass fill is left out.
        TarnGlassButton button(blank);
        button.setSymbol("no.such.symbol");
        button.setLayoutDirection(direction);
        button.setAttribute(Qt::WA_TranslucentBackground);
        button.resize(200, 30);
        const auto [buttonLeft, buttonRight]
            = paintedSpan(button.grab().toImage().convertToFormat(QImage::Format_ARGB32), 200);
        if (direction == Qt::RightToLeft) {
            EXPECT_GT(buttonLeft, 100);
        } else {
            EXPECT_LT(buttonRight, 100);
        }
    }
}

// An arrow or chevron leads the way a line reads: a right-to-left layout shows it mirrored, while
// a symbol without a direction stays as it is.
TEST(TarnButtonSymbol, ArrowsPointTheWayTheLayoutReads)
{
    TarnSymbolIcons::prepareIconTheme();
    const auto painted = [](std::string_view symbol, Qt::LayoutDirection direction) {
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setLayoutDirection(direction);
        TarnSymbolIcons::paint(painter, QRectF(0, 0, 32, 32), symbol, Qt::white);
        painter.end();
        return image;
    };
    for (const std::string_view symbol : {"arrow.right", "chevron.right"}) {
        SCOPED_TRACE(std::string(symbol));
        const QImage forward = painted(symbol, Qt::LeftToRight);
        ASSERT_NE(forward, forward.mirrored(true, false)) << "a symbol with a direction to show";
        EXPECT_EQ(painted(symbol, Qt::RightToLeft), forward.mirrored(true, false));
    }
    const QImage play = painted("play.fill", Qt::LeftToRight);
    ASSERT_NE(play, play.mirrored(true, false));
    EXPECT_EQ(painted("play.fill", Qt::RightToLeft), play);
}

} // namespace
} // namespace tarn
