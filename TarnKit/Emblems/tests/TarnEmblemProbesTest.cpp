// The exactly drawn emblems, probed in white glass: the coverage at design points must match what
// their paints and cut-outs make of the near-white body (0.98) and highlight (0.72).

#include <cmath>
#include <string>

#include <QImage>
#include <gtest/gtest.h>

#include "TarnKit/Emblems/TarnEmblemRenderer.h"

namespace tarn {
namespace {

constexpr int kPixels = 600;
constexpr double kTolerance = 0.03;

// Body 0.98, and what each paint leaves of it or adds on its own.
constexpr double kBody = 0.98;
constexpr double kAccent = 0.72;
constexpr double kMid = 0.46;
constexpr double kSoft = 0.16;
constexpr double kRimOnSoft = kMid + kSoft * (1 - kMid);
constexpr double kOnBodyOverMid = kBody + kMid * (1 - kBody);

struct Probe {
    double x;
    double y;
    double alpha;
    const char* what;
};

// Coverage at a design point (y down), read from the pixel it falls in.
double coverageAt(const QImage& image, double x, double y)
{
    const double scale = kPixels * 0.88 / 60.0;
    const int px = static_cast<int>(std::floor(kPixels / 2.0 + (x - 50.0) * scale));
    const int py = static_cast<int>(std::floor(kPixels / 2.0 + (y - 50.0) * scale));
    return image.pixelColor(px, py).alphaF();
}

void expectProbes(TarnAppIdentity identity, std::initializer_list<Probe> probes)
{
    const QImage image = TarnEmblemRenderer::render(identity, kPixels).convertToFormat(QImage::Format_ARGB32);
    for (const Probe& probe : probes) {
        EXPECT_NEAR(coverageAt(image, probe.x, probe.y), probe.alpha, kTolerance)
            << rawValue(identity) << ": " << probe.what << " at (" << probe.x << ", " << probe.y << ")";
    }
}

TEST(TarnEmblemProbes, TarnInputIsAMouseWithTwoWavesToItsRight)
{
    expectProbes(TarnAppIdentity::tarnInput,
        {
            {47, 62, kBody, "body below the divider"},
            {47, 37, kBody * 0.14, "wheel: 14% of the body left"},
            {38, 45, kBody * (1 - 0.575), "divider"},
            {73, 49, kAccent, "inner wave"},
            {79, 49, kMid, "outer wave"},
            {76, 49, 0, "between the waves"},
            {67.5, 49, 0, "the waves do not touch the body"},
            {21, 49, 0, "nothing on the left"},
            {47, 20, 0, "nothing above the body"},
        });
}

TEST(TarnEmblemProbes, TarnInputKeepsItsWheelHoleAtIconSize)
{
    // At 64 pixels a design unit is under one pixel; the wheel's middle pixel still lies inside it.
    const QImage image
        = TarnEmblemRenderer::render(TarnAppIdentity::tarnInput, 64).convertToFormat(QImage::Format_ARGB32);
    const double scale = 64 * 0.88 / 60.0;
    const int px = static_cast<int>(std::floor(32 + (47 - 50) * scale));
    const int py = static_cast<int>(std::floor(32 + (37 - 50) * scale));
    EXPECT_NEAR(image.pixelColor(px, py).alphaF(), kBody * 0.14, kTolerance);
}

TEST(TarnEmblemProbes, TarnZenProgressArcRunsClockwiseFromStraightUpFor125Degrees)
{
    // Just inside the face's edge, where rim and arc both lie over the face.
    const auto onArc = [](double degrees) {
        const double a = degrees * M_PI / 180.0;
        return std::pair(50 + 21.5 * std::cos(a), 53 + 21.5 * std::sin(a));
    };
    const auto [x30, y30] = onArc(-30);
    const auto [x20, y20] = onArc(20);
    const auto [x50, y50] = onArc(50);
    const auto [x210, y210] = onArc(210);
    const auto [x150, y150] = onArc(150);
    expectProbes(TarnAppIdentity::tarnZen,
        {
            {50, 23.75, kBody, "crown"},
            {38, 66, kSoft, "face"},
            {25.5, 53, kMid, "rim outside the face"},
            {x30, y30, kBody + kRimOnSoft * (1 - kBody), "arc, up and right"},
            {x20, y20, kBody + kRimOnSoft * (1 - kBody), "arc, below the right"},
            {x50, y50, kRimOnSoft, "past the arc's end"},
            {x210, y210, kRimOnSoft, "no arc up and left (a mirrored arc would be here)"},
            {x150, y150, kRimOnSoft, "no arc down and left (a reversed arc would be here)"},
            {50, 45, kBody, "long hand"},
        });
}

TEST(TarnEmblemProbes, TarnDockChecklistFadesDownwardsAndGapsSeparateTheCards)
{
    expectProbes(TarnAppIdentity::tarnDock,
        {
            {50.5, 40, 0, "first bar, erased fully"},
            {48.5, 53, kBody * (1 - 0.828), "second bar"},
            {45.5, 66, kBody * (1 - 0.6325), "third bar"},
            {32, 40, kBody * (1 - 0.86), "first dot"},
            {32, 53, kBody * (1 - 0.8625), "second dot"},
            {32, 66, kBody * (1 - 0.6325), "third dot"},
            {60, 45, kBody, "front card"},
            {70.5, 46, 0, "gap between the cards"},
            {74, 46, kMid, "back card"},
            {69, 58, kAccent, "badge"},
            {69, 53.65, 0, "gap round the badge"},
            {67.4, 71.2, 0, "check mark"},
        });
}

TEST(TarnEmblemProbes, TheOtherExactlyDrawnEmblems)
{
    expectProbes(TarnAppIdentity::tarnCapture,
        {{24, 24, kBody, "bracket corner"}, {24, 31, kBody, "bracket arm"}, {24, 50, 0, "between brackets"},
            {38, 50, kMid, "lens"}, {50, 50, kOnBodyOverMid, "pupil, primary under white glass"}});
    expectProbes(TarnAppIdentity::tarnVolume,
        {{32, 28, 0.24, "track"}, {32, 60, kAccent + 0.24 * (1 - kAccent), "first level"},
            {50, 70, 0.8 + 0.24 * 0.2, "second level"}, {32, 41.2, kBody + 0.8 * 0.02, "knob"}});
    expectProbes(TarnAppIdentity::tarnTunes,
        {{55, 30, kAccent, "beam"}, {33.5, 67, kBody, "first note head"}, {80, 50, 0, "nothing beside"}});
    expectProbes(TarnAppIdentity::tarnMemory,
        {{38, 24, kMid, "pin"}, {24, 62, kMid, "side pin"}, {38, 31.5, kOnBodyOverMid, "body over the pin's end"},
            {34, 50, kBody, "body"}, {50, 50, kBody * 0.14, "die"}});
    expectProbes(TarnAppIdentity::tarnSensors,
        {{38, 66, kSoft, "disc"}, {23.2, 50, kBody, "rim"}, {32, 52, kBody, "trace"}, {50, 30, kSoft, "above"}});
    expectProbes(TarnAppIdentity::tarnReaper,
        {{30, 50, kBody, "octagon"}, {50, 50, 0, "cross centre"}, {44, 44, 0, "cross arm"}, {22, 25, 0, "corner"}});
    expectProbes(TarnAppIdentity::tarnDisplay,
        {{30, 58, kSoft, "screen"}, {20, 45, kBody, "frame"}, {50, 72.3, 0.82, "stand"},
            {49, 44.5, kBody + kSoft * (1 - kBody), "play triangle"},
            {29, 33, kAccent + kSoft * (1 - kAccent), "dot"}});
}

TEST(TarnEmblemProbes, SharedShapesKeepTheirFoldAndTheirGap)
{
    expectProbes(TarnAppIdentity::tarnPodcast,
        {{40, 30, kBody, "sheet"}, {59, 31, kBody * (1 - 0.55), "folded flap, a 0.55 hole"},
            {70, 25, 0, "cut corner"}});
    expectProbes(TarnAppIdentity::tarnClock,
        {{40, 35, kBody, "left half"}, {60, 35, kMid, "right half"}, {50, 70, 0, "gap between the halves"}});
}

TEST(TarnEmblemProbes, AFlatToneFillsHolesWithPaperAndCutsNoGaps)
{
    const QColor primary(20, 60, 200);
    const QColor accent(250, 120, 30);
    const TarnEmblemTone flat = TarnEmblemTone::flatLight(primary, accent);
    const QImage dock
        = TarnEmblemRenderer::render(TarnAppIdentity::tarnDock, kPixels, flat).convertToFormat(QImage::Format_ARGB32);
    EXPECT_NEAR(coverageAt(dock, 70.5, 46), kMid, kTolerance) << "the back card shows where the gap was";
    const QImage reaper
        = TarnEmblemRenderer::render(TarnAppIdentity::tarnReaper, kPixels, flat).convertToFormat(QImage::Format_ARGB32);
    const double scale = kPixels * 0.88 / 60.0;
    const QColor cross = reaper.pixelColor(static_cast<int>(kPixels / 2.0), static_cast<int>(kPixels / 2.0));
    EXPECT_EQ(cross.alpha(), 255) << "paper on the octagon, not a hole";
    EXPECT_GT(cross.blue(), 230);
    EXPECT_GT(cross.red(), 220);
    const QColor pupil = TarnEmblemRenderer::render(TarnAppIdentity::tarnCapture, kPixels, flat)
                             .convertToFormat(QImage::Format_ARGB32)
                             .pixelColor(static_cast<int>(kPixels / 2.0), static_cast<int>(kPixels / 2.0 + scale));
    EXPECT_EQ(pupil.rgb(), accent.rgb()) << "the pupil in the accent under a flat tone";
    const QImage sheet = TarnEmblemRenderer::render(TarnAppIdentity::tarnPodcast, kPixels, flat)
                             .convertToFormat(QImage::Format_ARGB32);
    const QColor flap
        = sheet.pixelColor(static_cast<int>(kPixels / 2.0 + 9 * scale), static_cast<int>(kPixels / 2.0 - 19 * scale));
    EXPECT_EQ(flap.rgb(), accent.rgb()) << "the folded flap in the accent under a flat tone";
}

} // namespace
} // namespace tarn
