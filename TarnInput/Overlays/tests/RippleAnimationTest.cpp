#include "TarnInput/Overlays/Ripples/RippleAnimation.h"

#include <gtest/gtest.h>

#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace tarn::input {
namespace {

using std::chrono::milliseconds;

void expectFrame(const RippleFrame& actual, const RippleFrame& expected, const char* when)
{
    EXPECT_NEAR(actual.ringLineWidth, expected.ringLineWidth, 1e-3) << when;
    EXPECT_NEAR(actual.discOpacity, expected.discOpacity, 1e-3) << when;
    EXPECT_NEAR(actual.scale, expected.scale, 1e-3) << when;
    EXPECT_NEAR(actual.opacity, expected.opacity, 1e-3) << when;
}

TEST(RippleAnimation, AllFourValuesMoveTogetherOnTheEaseOutCurve)
{
    expectFrame(RippleAnimation::frameAt(milliseconds(0)), {4.5, 0.22, 0.3, 0.95}, "at the press");
    // Half the time: the ease-out curve is at 0.6846 of the way, well past half.
    expectFrame(RippleAnimation::frameAt(milliseconds(170)), {2.4461, 0.0694, 0.7793, 0.2996}, "at 0.17 s");
    expectFrame(RippleAnimation::frameAt(milliseconds(340)), {1.5, 0.0, 1.0, 0.0}, "at 0.34 s");
    expectFrame(RippleAnimation::frameAt(milliseconds(380)), {1.5, 0.0, 1.0, 0.0}, "after the motion");
    expectFrame(RippleAnimation::frameAt(milliseconds(-5)), {4.5, 0.22, 0.3, 0.95}, "before the press");
}

TEST(RippleAnimation, ProgressNeverGoesBack)
{
    double previous = 0.0;
    for (int ms = 0; ms <= 400; ms += 4) {
        const double progress = RippleAnimation::progress(milliseconds(ms));
        EXPECT_GE(progress, previous) << ms << " ms";
        previous = progress;
    }
    EXPECT_DOUBLE_EQ(previous, 1.0);
}

TEST(RippleAnimation, LeftUsesTheStudioAccentAndRightTheCoralOne)
{
    EXPECT_EQ(RippleAnimation::color(false), accentColor(TarnProductPalette::deepAbyss));
    EXPECT_EQ(RippleAnimation::color(true), accentColor(TarnProductPalette::deepCoral));
    EXPECT_NE(RippleAnimation::color(false), RippleAnimation::color(true));
}

} // namespace
} // namespace tarn::input
