#include "TarnKit/Emblems/TarnEmblemTone.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

const TarnEmblemTone kFlat = TarnEmblemTone::flatLight(QColor(20, 60, 200), QColor(250, 120, 30));

TEST(TarnEmblemTone, CutoutsClampUnderWhiteGlassAndPaintPaperUnderAFlatTone)
{
    const TarnEmblemTone& glass = TarnEmblemTone::whiteGlass();
    const struct {
        double alpha;
        double erased;
    } cases[] = {{0.3, 0.55}, {0.5, 0.575}, {0.88, 1.0}, {0.9, 1.0}, {0.72, 0.828}};
    for (const auto& c : cases) {
        const TarnFlatPaint paint = glass.cutout(c.alpha);
        ASSERT_EQ(paint.kind(), TarnFlatPaint::Kind::cutout) << c.alpha;
        EXPECT_NEAR(paint.cutoutAlpha(), c.erased, 1e-9) << c.alpha;

        const TarnFlatPaint flat = kFlat.cutout(c.alpha);
        ASSERT_EQ(flat.kind(), TarnFlatPaint::Kind::color) << c.alpha;
        EXPECT_NEAR(flat.colorValue().alphaF(), c.alpha, 1e-4) << c.alpha;
        EXPECT_NEAR(flat.colorValue().redF(), 238.0 / 255.0, 1e-4);
        EXPECT_NEAR(flat.colorValue().greenF(), 241.0 / 255.0, 1e-4);
        EXPECT_NEAR(flat.colorValue().blueF(), 247.0 / 255.0, 1e-4);
    }
}

TEST(TarnEmblemTone, PaintTableDiffersBetweenTheVariantsOnlyWhereItShould)
{
    const TarnEmblemTone& glass = TarnEmblemTone::whiteGlass();
    EXPECT_NEAR(glass.primaryColor.alphaF(), 0.98, 1e-4);
    EXPECT_NEAR(glass.accentColor.alphaF(), 0.72, 1e-4);
    const struct {
        const char* name;
        TarnFlatPaint glassPaint;
        TarnFlatPaint flatPaint;
        double glassAlpha;
        double flatAlpha;
    } cases[] = {
        {"mid", glass.mid(), kFlat.mid(), 0.46, 0.46},
        {"soft", glass.soft(), kFlat.soft(), 0.16, 0.11},
        {"stroke", glass.stroke(), kFlat.stroke(), 0.42, 0.28},
        {"primaryAlpha", glass.primaryAlpha(0.3), kFlat.primaryAlpha(0.3), 0.3, 0.3},
        {"accentAlpha", glass.accentAlpha(0.95), kFlat.accentAlpha(0.95), 0.95, 0.95},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.glassPaint.colorValue().alphaF(), c.glassAlpha, 1e-4) << c.name;
        EXPECT_NEAR(c.flatPaint.colorValue().alphaF(), c.flatAlpha, 1e-4) << c.name;
    }
    // The alpha replaces the colour's own rather than multiplying it.
    EXPECT_EQ(kFlat.mid().colorValue().rgb(), kFlat.primaryColor.rgb());
    EXPECT_EQ(glass.onPrimaryAccent(), TarnFlatPaint::cutout(0.86)) << "no 1.15 factor";
    EXPECT_EQ(kFlat.onPrimaryAccent(), kFlat.accent());
    EXPECT_EQ(glass.highlight(), glass.primary());
    EXPECT_EQ(kFlat.highlight(), kFlat.accent());
}

} // namespace
} // namespace tarn
