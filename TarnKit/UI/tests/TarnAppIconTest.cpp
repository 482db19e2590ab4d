#include "TarnKit/UI/Brand/TarnAppIcon.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(TarnAppIcon, TheEmblemStandsOnARoundedDarkGroundWithClearCorners)
{
    const QImage image = TarnAppIcon::image(TarnAppIdentity::tarnInput, 128).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(128, 128));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "outside the rounded ground";
    EXPECT_EQ(image.pixelColor(127, 127).alpha(), 0);
    const QColor ground = image.pixelColor(20, 64);
    EXPECT_EQ(ground.alpha(), 255);
    EXPECT_LT(ground.lightness(), 80) << "dark ground";
    const QColor body = image.pixelColor(60, 80);
    EXPECT_GT(body.lightness(), 230) << "the white mouse body";
    EXPECT_TRUE(TarnAppIcon::image(TarnAppIdentity::tarnInput, 0).isNull());
}

TEST(TarnAppIcon, TheIconHoldsEveryThemeSize)
{
    const QIcon icon = TarnAppIcon::icon(TarnAppIdentity::tarnInput);
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : TarnAppIcon::themeSizes()) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
}

} // namespace
} // namespace tarn
