#include "TarnKit/UI/Glass/TarnGlassTokens.h"

#include <gtest/gtest.h>

#include "TarnKit/UI/Glass/TarnHexColor.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace tarn {
namespace {

void expectWhiteAt(const QColor& color, double opacity)
{
    EXPECT_EQ(color.red(), 255);
    EXPECT_EQ(color.green(), 255);
    EXPECT_EQ(color.blue(), 255);
    EXPECT_NEAR(color.alphaF(), opacity, 1.0e-4);
}

TEST(TarnGlassTokensTest, TranslucentTokensAreWhiteAtTheirOpacity)
{
    expectWhiteAt(TarnGlassTokens::surface1(), 0.06);
    expectWhiteAt(TarnGlassTokens::surface2(), 0.10);
    expectWhiteAt(TarnGlassTokens::surface3(), 0.16);
    expectWhiteAt(TarnGlassTokens::borderSubtle(), 0.14);
    expectWhiteAt(TarnGlassTokens::borderStrong(), 0.28);
    expectWhiteAt(TarnGlassTokens::textPrimary(), 0.96);
    expectWhiteAt(TarnGlassTokens::textSecondary(), 0.72);
    expectWhiteAt(TarnGlassTokens::textMuted(), 0.50);
}

TEST(TarnGlassTokensTest, StatusColoursAreOpaqueSrgb)
{
    EXPECT_EQ(TarnGlassTokens::success(), QColor(62, 230, 168));
    EXPECT_EQ(TarnGlassTokens::warning(), QColor(255, 184, 77));
    EXPECT_EQ(TarnGlassTokens::danger(), QColor(255, 100, 124));
    EXPECT_EQ(TarnGlassTokens::success().alpha(), 255);
}

TEST(TarnGlassTokensTest, ATokenIsBuiltOnce)
{
    EXPECT_EQ(&TarnGlassTokens::surface1(), &TarnGlassTokens::surface1());
}

TEST(TarnHexColorTest, ReadsRgbAndIgnoresTheTopByte)
{
    EXPECT_EQ(tarnColorFromHex(0x66D9EF), accentColor(TarnProductPalette::deepAbyss));
    EXPECT_EQ(tarnColorFromHex(0xFF66D9EF), tarnColorFromHex(0x0066D9EF));
    EXPECT_EQ(tarnColorFromHex(0x123456, 0.5).red(), 0x12);
    EXPECT_EQ(tarnColorFromHex(0x123456, 0.5).green(), 0x34);
    EXPECT_EQ(tarnColorFromHex(0x123456, 0.5).blue(), 0x56);
    EXPECT_NEAR(tarnColorFromHex(0x123456, 0.5).alphaF(), 0.5, 1.0e-4);
}

TEST(TarnHexColorTest, OpacityOutsideTheRangeIsClampedNotInvalid)
{
    EXPECT_TRUE(tarnColorFromHex(0xFFFFFF, 1.5).isValid());
    EXPECT_EQ(tarnColorFromHex(0xFFFFFF, 1.5).alpha(), 255);
    EXPECT_EQ(tarnColorFromHex(0xFFFFFF, -2.0).alpha(), 0);
}

struct PaletteRow {
    TarnProductPalette palette;
    const char* raw;
    quint32 accent;
    quint32 topLeft;
    quint32 middle;
    quint32 bottomRight;
    std::array<TarnRgbStop, 3> rgb;
};

const std::array<PaletteRow, 9> kExpected {{
    {TarnProductPalette::deepViolet, "deepViolet", 0xA98BFF, 0x462A7D, 0x311F59, 0x1D133B,
        {{{0.275, 0.165, 0.49}, {0.192, 0.122, 0.349}, {0.114, 0.075, 0.231}}}},
    {TarnProductPalette::deepCrimson, "deepCrimson", 0xFF6B9D, 0x7A2248, 0x4A1634, 0x240D1D,
        {{{0.478, 0.133, 0.282}, {0.29, 0.086, 0.204}, {0.141, 0.051, 0.114}}}},
    {TarnProductPalette::deepAmber, "deepAmber", 0xFFA95C, 0x783C1E, 0x4A2515, 0x24130C,
        {{{0.471, 0.235, 0.118}, {0.29, 0.145, 0.082}, {0.141, 0.075, 0.047}}}},
    {TarnProductPalette::deepEmerald, "deepEmerald", 0x47E6C1, 0x156256, 0x103F3D, 0x0B2124,
        {{{0.082, 0.384, 0.337}, {0.063, 0.247, 0.239}, {0.043, 0.129, 0.141}}}},
    {TarnProductPalette::deepCobalt, "deepCobalt", 0x5CC4FF, 0x1D4E89, 0x16335E, 0x0D1C38,
        {{{0.114, 0.306, 0.537}, {0.086, 0.2, 0.369}, {0.051, 0.11, 0.22}}}},
    {TarnProductPalette::deepIndigo, "deepIndigo", 0x7CA4FF, 0x24347A, 0x182356, 0x0D1433,
        {{{0.141, 0.204, 0.478}, {0.094, 0.137, 0.337}, {0.051, 0.078, 0.2}}}},
    {TarnProductPalette::deepAbyss, "deepAbyss", 0x66D9EF, 0x1F4A5C, 0x153445, 0x0C1F2B,
        {{{0.122, 0.29, 0.361}, {0.082, 0.204, 0.271}, {0.047, 0.122, 0.169}}}},
    {TarnProductPalette::deepCoral, "deepCoral", 0xF472D0, 0x6E1F63, 0x471645, 0x240B26,
        {{{0.431, 0.122, 0.388}, {0.278, 0.086, 0.271}, {0.141, 0.043, 0.149}}}},
    {TarnProductPalette::deepCyan, "deepCyan", 0x38E8FF, 0x0D5668, 0x0B3A4A, 0x07202B,
        {{{0.051, 0.337, 0.408}, {0.043, 0.227, 0.29}, {0.027, 0.125, 0.169}}}},
}};

QRgb rgbOf(const QColor& color)
{
    return color.rgba();
}

TEST(TarnProductPaletteTest, EveryPaletteHasItsLiteralColours)
{
    ASSERT_EQ(kAllTarnProductPalettes.size(), kExpected.size());
    for (std::size_t i = 0; i < kExpected.size(); ++i) {
        const PaletteRow& row = kExpected[i];
        SCOPED_TRACE(row.raw);
        EXPECT_EQ(kAllTarnProductPalettes[i], row.palette);
        EXPECT_EQ(rawValue(row.palette), row.raw);
        EXPECT_EQ(rgbOf(accentColor(row.palette)), 0xFF000000U | row.accent);
        const TarnGroundStops stops = groundStops(row.palette);
        EXPECT_EQ(rgbOf(stops.topLeft), 0xFF000000U | row.topLeft);
        EXPECT_EQ(rgbOf(stops.middle), 0xFF000000U | row.middle);
        EXPECT_EQ(rgbOf(stops.bottomRight), 0xFF000000U | row.bottomRight);
        const auto& rgb = rgbStops(row.palette);
        for (std::size_t s = 0; s < 3; ++s) {
            // Exact: the three-decimal constants, not n/255.
            EXPECT_EQ(rgb[s].r, row.rgb[s].r);
            EXPECT_EQ(rgb[s].g, row.rgb[s].g);
            EXPECT_EQ(rgb[s].b, row.rgb[s].b);
        }
    }
    EXPECT_EQ(kAllTarnProductPalettes.front(), TarnProductPalette::deepViolet);
    EXPECT_EQ(kAllTarnProductPalettes.back(), TarnProductPalette::deepCyan);
}

TEST(TarnProductPaletteTest, RawValuesMatchExactly)
{
    EXPECT_EQ(tarnProductPaletteFromRawValue("deepAbyss"), TarnProductPalette::deepAbyss);
    for (const char* other : {"DeepAbyss", "deepabyss", "deep-abyss", "", " deepAbyss"}) {
        EXPECT_FALSE(tarnProductPaletteFromRawValue(other).has_value()) << other;
    }
    for (const TarnProductPalette palette : kAllTarnProductPalettes) {
        EXPECT_EQ(tarnProductPaletteFromRawValue(rawValue(palette)), palette);
    }
}

} // namespace
} // namespace tarn
