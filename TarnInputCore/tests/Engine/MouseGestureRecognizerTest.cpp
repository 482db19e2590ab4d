#include "TarnInputCore/Engine/Rules/MouseGestureRecognizer.h"

#include <cmath>
#include <limits>
#include <optional>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

struct DragCase {
    const char* name;
    double dx;
    double dy;
    double threshold;
    std::optional<GestureDirection> expected;
};

TEST(MouseGestureRecognizerTest, DecidesDirectionOnceFarEnough)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const DragCase cases[] = {
        {"40 right, threshold 46", 40, 0, 46, std::nullopt},
        {"50 right, threshold 46", 50, 0, 46, GestureDirection::right},
        {"50 left", -50, 0, 46, GestureDirection::left},
        {"50 up (y grows downward)", 0, -50, 46, GestureDirection::up},
        {"50 down", 0, 50, 46, GestureDirection::down},
        {"10 with threshold 5 is under the 16 floor", 10, 0, 5, std::nullopt},
        {"16 with threshold 5 reaches the floor", 16, 0, 5, GestureDirection::right},
        {"NaN threshold acts as the floor", 16, 0, nan, GestureDirection::right},
        {"30 right 30 up is a horizontal tie", 30, -30, 40, GestureDirection::right},
        {"30 right 30 up is 42.4 points, under the default 46", 30, -30, 46, std::nullopt},
        {"tie to the left", -30, 30, 16, GestureDirection::left},
        {"mostly vertical", 20, -40, 16, GestureDirection::up},
    };
    for (const auto& c : cases) {
        MouseGestureRecognizer recognizer;
        recognizer.begin({100, 100});
        EXPECT_EQ(recognizer.update({100 + c.dx, 100 + c.dy}, c.threshold), c.expected) << c.name;
        EXPECT_EQ(recognizer.firedDirection(), c.expected) << c.name;
        EXPECT_TRUE(recognizer.isTracking()) << c.name;
    }
}

TEST(MouseGestureRecognizerTest, LastDirectionPastTheThresholdStands)
{
    MouseGestureRecognizer recognizer;
    recognizer.begin({0, 0});
    EXPECT_EQ(recognizer.update({0, -60}, 46), GestureDirection::up);
    // Back at the anchor: below the threshold, the decided direction is kept.
    EXPECT_EQ(recognizer.update({0, 0}, 46), std::nullopt);
    EXPECT_EQ(recognizer.firedDirection(), GestureDirection::up);
    EXPECT_EQ(recognizer.end({0, 0}, 46), GestureDirection::up);
    EXPECT_FALSE(recognizer.isTracking());
    EXPECT_EQ(recognizer.firedDirection(), std::nullopt);

    // A later update beyond the threshold replaces the direction.
    recognizer.begin({0, 0});
    (void)recognizer.update({0, -60}, 46);
    (void)recognizer.update({80, -60}, 46);
    EXPECT_EQ(recognizer.end({80, -60}, 46), GestureDirection::right);
}

TEST(MouseGestureRecognizerTest, EndDecidesAtTheReleasePointAndIdleRecognizerAnswersNothing)
{
    MouseGestureRecognizer recognizer;
    EXPECT_EQ(recognizer.update({500, 500}, 16), std::nullopt);
    recognizer.begin({10, 10});
    EXPECT_EQ(recognizer.end({10, 70}, 46), GestureDirection::down);
    EXPECT_EQ(recognizer.end({10, 70}, 46), std::nullopt);

    recognizer.begin({10, 10});
    (void)recognizer.update({100, 10}, 46);
    recognizer.cancel();
    EXPECT_FALSE(recognizer.isTracking());
    EXPECT_EQ(recognizer.firedDirection(), std::nullopt);
}

} // namespace
} // namespace tarn::input
