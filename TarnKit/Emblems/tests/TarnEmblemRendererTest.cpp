#include "TarnKit/Emblems/TarnEmblemRenderer.h"

#include <cmath>
#include <set>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "TarnKit/Emblems/TarnEmblemArtworkMedia.h"
#include "TarnKit/Emblems/TarnEmblemArtworkProductivity.h"
#include "TarnKit/Emblems/TarnEmblemArtworkSystemNet.h"
#include "TarnKit/Emblems/TarnEmblemCanvas.h"

namespace tarn {
namespace {

TEST(TarnEmblemRenderer, PixelSizeClampsThePointSizeAndScaleAndRoundsHalvesUp)
{
    const struct {
        double points;
        double scale;
        int pixels;
    } cases[] = {
        {4, 1, 16},
        {10, 0.5, 16},
        {12, 1, 16},
        {20, 5, 60},
        {10.25, 2, 21},
        {24, 2, 48},
        {64, 1, 64},
        {7.5, 2, 20},
        {std::nan(""), 2, 20},
        {32, std::nan(""), 32},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TarnEmblemRenderer::pixelSize(c.points, c.scale), c.pixels) << c.points << " pt at " << c.scale;
    }
}

TEST(TarnEmblemRenderer, CacheKeyNamesTheApplicationThePixelsAndTheKind)
{
    EXPECT_EQ(TarnEmblemRenderer::cacheKey(TarnAppIdentity::tarnInput, 64, false), "tarninput_64_glass");
    EXPECT_EQ(TarnEmblemRenderer::cacheKey(TarnAppIdentity::tarnInput, 16, true), "tarninput_16_tpl");
    EXPECT_EQ(TarnEmblemRenderer::cacheKey(TarnAppIdentity::tarnZen, 48, false), "tarnzen_48_glass");
}

TEST(TarnEmblemRenderer, TheSameRequestReturnsTheSameImageAndTheTemplateOneItsOwn)
{
    const auto small = TarnEmblemRenderer::image(TarnAppIdentity::tarnDock, 4, 1, false);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->image.size(), QSize(16, 16));
    EXPECT_DOUBLE_EQ(small->pointSize, 10.0);
    EXPECT_DOUBLE_EQ(small->image.devicePixelRatio(), 1.6);
    EXPECT_FALSE(small->isTemplate);
    EXPECT_EQ(TarnEmblemRenderer::image(TarnAppIdentity::tarnDock, 4, 1, false), small);
    EXPECT_EQ(TarnEmblemRenderer::image(TarnAppIdentity::tarnDock, 12, 1, false), small) << "same 16 pixels, same key";

    const auto tinted = TarnEmblemRenderer::image(TarnAppIdentity::tarnDock, 4, 1, true);
    EXPECT_NE(tinted, small);
    EXPECT_TRUE(tinted->isTemplate);
    EXPECT_EQ(tinted->image, small->image) << "the same pixels";

    // The view asks for twice its point size.
    const auto view = TarnEmblemRenderer::image(TarnAppIdentity::tarnInput, 24, 2, false);
    EXPECT_EQ(view->image.size(), QSize(48, 48));
}

TEST(TarnEmblemRenderer, TheCacheForgetsTheLeastRecentlyUsedBeyond256)
{
    const auto first = TarnEmblemRenderer::image(TarnAppIdentity::tarnMenu, 16, 1, false);
    for (int points = 17; points < 17 + static_cast<int>(TarnEmblemRenderer::kCacheLimit); ++points) {
        ASSERT_TRUE(TarnEmblemRenderer::image(TarnAppIdentity::tarnMenu, points, 1, false));
    }
    EXPECT_NE(TarnEmblemRenderer::image(TarnAppIdentity::tarnMenu, 16, 1, false), first);
}

TEST(TarnEmblemRenderer, PngDataIsTheRequestedSquareWithATransparentBackground)
{
    const QByteArray png = TarnEmblemRenderer::pngData(TarnAppIdentity::tarnInput, 1024);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(png, "PNG"));
    EXPECT_EQ(decoded.size(), QSize(1024, 1024));
    for (const QPoint corner : {QPoint(0, 0), QPoint(1023, 0), QPoint(0, 1023), QPoint(1023, 1023)}) {
        EXPECT_EQ(decoded.pixelColor(corner).alpha(), 0);
    }
    EXPECT_GT(decoded.pixelColor(470, 620).alpha(), 240) << "the mouse body";

    for (const int refused : {0, -5, TarnEmblemRenderer::kMaxPixelSize + 1}) {
        EXPECT_TRUE(TarnEmblemRenderer::pngData(TarnAppIdentity::tarnInput, refused).isEmpty()) << refused;
    }
}

TEST(TarnEmblemRenderer, EveryRowHasAnEmblemOfItsOwn)
{
    std::set<QByteArray> pictures;
    for (const TarnAppIdentity identity : allTarnAppIdentities()) {
        QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.scale(0.32, 0.32);
        EXPECT_TRUE(TarnEmblemRenderer::drawFlatEmblem(identity, painter, TarnEmblemTone::whiteGlass()))
            << rawValue(identity);
        painter.end();
        const QImage rendered = TarnEmblemRenderer::render(identity, 48);
        pictures.insert(QByteArray(reinterpret_cast<const char*>(rendered.constBits()), rendered.sizeInBytes()));
    }
    EXPECT_EQ(pictures.size(), kTarnAppIdentityCount) << "no two emblems alike";
}

TEST(TarnEmblemRenderer, AFamilyRefusesTheRowsOfTheOthersAndDrawsNothing)
{
    using Draw = bool (*)(TarnAppIdentity, TarnEmblemCanvas&);
    const struct {
        const char* family;
        Draw draw;
        std::size_t first;
        std::size_t last;
    } families[] = {
        {"productivity", &TarnEmblemArtworkProductivity::draw, 0, 26},
        {"media", &TarnEmblemArtworkMedia::draw, 27, 42},
        {"system and network", &TarnEmblemArtworkSystemNet::draw, 43, 74},
    };
    for (const auto& family : families) {
        for (const TarnAppIdentity identity : allTarnAppIdentities()) {
            const std::size_t index = catalogIndex(identity);
            QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.scale(0.2, 0.2);
            TarnEmblemCanvas canvas(painter, TarnEmblemTone::whiteGlass());
            const bool ours = index >= family.first && index <= family.last && index != 30;
            EXPECT_EQ(family.draw(identity, canvas), ours) << family.family << " " << index;
            painter.end();
            if (!ours) {
                QImage empty(20, 20, QImage::Format_ARGB32_Premultiplied);
                empty.fill(Qt::transparent);
                EXPECT_EQ(image, empty) << family.family << " drew on row " << index;
            }
        }
    }
}

} // namespace
} // namespace tarn
