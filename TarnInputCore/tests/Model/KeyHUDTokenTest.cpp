#include "TarnInputCore/Model/Keys/KeyHUDToken.h"

#include <gtest/gtest.h>

#include "TarnInputCore/Model/Pointer/PointerCalibrationSnapshot.h"
#include "TarnInputCore/Model/Pointer/PointerTelemetrySnapshot.h"

namespace tarn::input {
namespace {

TEST(KeyHUDTokenTest, TokensWithTheSameTextAreDifferentEntries)
{
    const WallTime now = std::chrono::system_clock::now();
    const KeyHUDToken a {Uuid::random(), "⌘C", true, now};
    const KeyHUDToken b {Uuid::random(), "⌘C", true, now};
    EXPECT_NE(a, b);
    EXPECT_EQ(a, a);
}

TEST(KeyHUDTokenTest, SnapshotsCompareEveryField)
{
    PointerTelemetrySnapshot telemetry;
    EXPECT_EQ(telemetry.lastButtonLabel, "—");
    PointerTelemetrySnapshot other = telemetry;
    other.lastClickIntervalMs = 12.5;
    EXPECT_NE(telemetry, other);

    PointerCalibrationSnapshot calibration;
    PointerCalibrationSnapshot measured = calibration;
    measured.measuredEffectiveDPI = 1550;
    EXPECT_NE(calibration, measured);
}

} // namespace
} // namespace tarn::input
