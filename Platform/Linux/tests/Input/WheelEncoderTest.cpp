// Wheel output keeps the high-resolution and the legacy axis in step.

#include "Platform/Linux/Uinput/WheelEncoder.h"

#include <vector>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

std::vector<WheelOutput> encodeAll(std::initializer_list<double> lines)
{
    WheelEncoder encoder;
    std::vector<WheelOutput> outputs;
    for (const double amount : lines) {
        outputs.push_back(encoder.encode(amount));
    }
    return outputs;
}

TEST(WheelEncoder, DetentsFollowTheHighResolutionUnits)
{
    struct Case {
        const char* what;
        std::vector<WheelOutput> actual;
        std::vector<WheelOutput> expected;
    };
    const Case cases[] = {
        {"whole lines", encodeAll({1, -2}), {{120, 1}, {-240, -2}}},
        {"a detent at each half line", encodeAll({0.25, 0.25, 0.25, 0.25}), {{30, 0}, {30, 1}, {30, 0}, {30, 0}}},
        {"a turn back takes back its detent", encodeAll({0.5, -0.5, -0.5}), {{60, 1}, {-60, -1}, {-60, -1}}},
        {"fractions of a unit are kept", encodeAll({0.004, 0.004, 0.004}), {{0, 0}, {0, 0}, {1, 0}}},
        {"speed 1.35", encodeAll({1.35, 1.35}), {{162, 1}, {162, 2}}},
        {"not a number", encodeAll({std::numeric_limits<double>::quiet_NaN(), 1}), {{0, 0}, {120, 1}}},
        {"runaway amounts stay in range", encodeAll({1e12}), {{1 << 24, (1 << 24) / 120}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.actual, c.expected) << c.what;
    }
}

} // namespace
} // namespace tarn::input
