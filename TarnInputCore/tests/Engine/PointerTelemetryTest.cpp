#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "Platform/Fake/Core/FakeEventPoster.h"
#include "Platform/Fake/Core/FakeEventTap.h"
#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Engine/Pointer/PointerCalibrationTracker.h"
#include "TarnInputCore/Engine/Pointer/PollingRateCalculator.h"

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

const EngineTime kStart = EngineTime(1h);

TEST(PollingRateCalculatorTest, RatesPeakAndTheMinimumSpan)
{
    PollingRateCalculator calculator;
    EXPECT_EQ(calculator.recordEvent(kStart), 0); // one event: no rate yet
    EXPECT_EQ(calculator.recordEvent(kStart + 2ms), 20); // 1 ÷ 0.05, not 500
    EXPECT_EQ(calculator.peakHz(), 0); // too few events for a peak

    PollingRateCalculator fast;
    for (int i = 0; i <= 2000; ++i) {
        fast.recordEvent(kStart + i * 1ms);
    }
    EXPECT_EQ(fast.currentHz(), 1000);
    EXPECT_EQ(fast.peakHz(), 1000);

    // 10 s apart: each window holds one event and the rate stays.
    fast.recordEvent(kStart + 20s);
    fast.recordEvent(kStart + 30s);
    EXPECT_EQ(fast.currentHz(), 1000);

    // Faster than any mouse: capped.
    PollingRateCalculator burst;
    for (int i = 0; i < 20000; ++i) {
        burst.recordEvent(kStart + i * 10us);
    }
    EXPECT_EQ(burst.currentHz(), 8000);

    // An event exactly one second older than the newest stays in the window.
    PollingRateCalculator edge;
    edge.recordEvent(kStart);
    EXPECT_EQ(edge.recordEvent(kStart + 1s), 1);

    fast.reset();
    EXPECT_EQ(fast.currentHz(), 0);
    EXPECT_EQ(fast.peakHz(), 0);
    EXPECT_TRUE(fast.hzSamples().empty());
    EXPECT_EQ(fast.recordEvent(kStart + 40s), 0);
}

TEST(PollingRateCalculatorTest, KeepsTheLastFortySamplesAndAveragesTruncating)
{
    PollingRateCalculator calculator;
    EXPECT_EQ(calculator.averageHz(), 0);
    // Dense 250 ms bursts, each giving one sample; the rate rises so every sample differs.
    auto t = kStart;
    for (int burst = 0; burst < 100; ++burst) {
        for (int i = 0; i < 10; ++i) {
            calculator.recordEvent(t);
            t += 25ms - burst * 200us;
        }
    }
    const auto samples = calculator.hzSamples();
    ASSERT_EQ(samples.size(), 40u);
    std::int64_t sum = 0;
    for (const auto sample : samples) {
        sum += sample;
    }
    EXPECT_NE(sum % 40, 0); // the mean truncates
    EXPECT_EQ(calculator.averageHz(), sum / 40);
    // The oldest ten were dropped: the first kept sample is from a later, faster burst.
    EXPECT_GT(samples.front(), 45);
}

TEST(PointerCalibrationTrackerTest, DistanceAndTheMeasuredDPI)
{
    PointerCalibrationTracker tracker(800);
    tracker.recordPointerDelta(480, 640); // 800 pixels
    EXPECT_DOUBLE_EQ(tracker.sessionDistanceCm(), 2.54);
    EXPECT_DOUBLE_EQ(tracker.sessionDistanceMeters(), 0.0254);
    EXPECT_EQ(PointerCalibrationTracker(std::nan("")).nominalDPI(), 1600);
    EXPECT_EQ(PointerCalibrationTracker(50).nominalDPI(), 100);
    EXPECT_EQ(PointerCalibrationTracker(1e6).nominalDPI(), 32000);
    EXPECT_EQ(PointerCalibrationTracker::pixelsToCentimeters(-1, 800), 0);
    EXPECT_EQ(PointerCalibrationTracker::calculateEffectiveDPI(1575, 0), 0);

    // Straight: 1575 px over 10 cm is 400 DPI.
    tracker.startCalibration(EventPoint {0, 0}, 10);
    tracker.recordPointerMove({1575, 0});
    EXPECT_EQ(tracker.finishCalibration(std::nullopt), 400);
    // Zig-zag with the same net displacement: still 400; the path is longer.
    tracker.startCalibration(EventPoint {0, 0}, 10);
    tracker.recordPointerDelta(1000, 0);
    tracker.recordPointerDelta(-212.5, 0);
    tracker.recordPointerDelta(787.5, 0);
    EXPECT_EQ(tracker.snapshot().measuredEffectiveDPI, 400); // the live estimate
    EXPECT_EQ(tracker.finishCalibration(std::nullopt), 400);
    EXPECT_DOUBLE_EQ(tracker.calibrationPathPixels(), 2000);

    // Without a start point, the first absolute position only anchors.
    tracker.startCalibration(std::nullopt, 10);
    tracker.recordPointerMove({5000, 5000});
    EXPECT_EQ(tracker.calibrationDeltaPixels(), 0);
    EXPECT_EQ(tracker.finishCalibration(EventPoint {6575, 5000}), 400);
    // Nothing moved: no result.
    tracker.startCalibration(std::nullopt, 10);
    EXPECT_EQ(tracker.finishCalibration(std::nullopt), std::nullopt);
}

TEST(PointerCalibrationTrackerTest, TargetsAndReset)
{
    PointerCalibrationTracker tracker(1600);
    tracker.startCalibration(EventPoint {0, 0}, 0);
    EXPECT_EQ(tracker.calibrationTargetCm(), 1);
    tracker.startCalibration(EventPoint {0, 0}, std::nan(""));
    EXPECT_EQ(tracker.calibrationTargetCm(), 10);
    tracker.recordPointerDelta(3, 0); // below the live-estimate threshold
    EXPECT_EQ(tracker.lastMeasuredDPI(), std::nullopt);
    tracker.recordPointerDelta(std::nan(""), 1); // ignored
    EXPECT_EQ(tracker.sessionPixelsTraveled(), 3);
    tracker.recordClick(false);
    tracker.recordClick(true);
    tracker.startCalibration(EventPoint {0, 0}, 4);
    tracker.resetSession();
    const auto snapshot = tracker.snapshot();
    EXPECT_EQ(snapshot.sessionPixelsTraveled, 0);
    EXPECT_EQ(snapshot.sessionClicks, 0);
    EXPECT_EQ(snapshot.blockedGhostDoubleClicks, 0);
    EXPECT_FALSE(snapshot.isCalibrating);
    EXPECT_EQ(snapshot.calibrationTargetCm, 4);
    EXPECT_EQ(snapshot.nominalDPI, 1600);
}

struct MotionRig : FakeEnginePorts {
    MotionRig()
        : service(InputSettings {}, ports())
    {
        EngineCallbacks callbacks;
        callbacks.onPointerTelemetry = [this](const PointerTelemetrySnapshot& s) { telemetry.push_back(s); };
        callbacks.onCalibrationSnapshot = [this](const PointerCalibrationSnapshot& s) { calibration.push_back(s); };
        service.setCallbacks(std::move(callbacks));
        EXPECT_TRUE(service.start());
    }

    void move(double dx, double dy, EventPoint at = {})
    {
        TapEvent event;
        event.type = TapEventType::mouseMoved;
        event.mouseDeltaX = dx;
        event.mouseDeltaY = dy;
        event.location = at;
        EXPECT_EQ(tap.deliver(event), event);
    }

    std::vector<std::string> logMessages() const
    {
        std::vector<std::string> messages;
        for (const auto& line : log.lines()) {
            if (line.category == "calibration") {
                messages.push_back(line.message);
            }
        }
        return messages;
    }

    InputEventInterceptorService service;
    std::vector<PointerTelemetrySnapshot> telemetry;
    std::vector<PointerCalibrationSnapshot> calibration;
};

TEST(PointerTelemetryServiceTest, SnapshotsAreThrottledAndFasterWhileCalibrating)
{
    MotionRig rig;
    // One move every 10 ms for a second.
    for (int i = 0; i < 100; ++i) {
        rig.move(1, 0);
        rig.clock.advance(10ms);
    }
    EXPECT_EQ(rig.telemetry.size(), 8u); // 0, 140, …, 980 ms
    EXPECT_EQ(rig.calibration.size(), 5u); // 0, 220, …, 880 ms
    EXPECT_EQ(rig.telemetry.back().currentHz, 100);

    rig.service.startDPICalibration(10);
    rig.calibration.clear();
    for (int i = 0; i < 100; ++i) {
        rig.clock.advance(10ms);
        rig.move(1, 0);
    }
    EXPECT_EQ(rig.calibration.size(), 16u); // every 60 ms
    EXPECT_TRUE(rig.calibration.back().isCalibrating);
    EXPECT_DOUBLE_EQ(rig.service.currentCalibrationSnapshot().calibrationDeltaPixels, 100);
}

TEST(PointerTelemetryServiceTest, CalibrationOperationsLogAndReport)
{
    MotionRig rig;
    rig.service.startDPICalibration(0);
    ASSERT_EQ(rig.calibration.size(), 1u);
    EXPECT_TRUE(rig.calibration[0].isCalibrating);
    EXPECT_EQ(rig.calibration[0].calibrationTargetCm, 1);
    EXPECT_EQ(rig.service.stopDPICalibration(), std::nullopt);
    EXPECT_EQ(rig.service.currentCalibrationSnapshot().measuredEffectiveDPI, std::nullopt);

    rig.service.startDPICalibration(10.4);
    // The first absolute position anchors; the drift of relative reports measures.
    rig.move(0, 0, {100, 100});
    rig.move(982.8, 0, {1082.8, 100});
    rig.move(0, 1310.4, {1082.8, 1410.4});
    EXPECT_EQ(rig.service.stopDPICalibration(), 400);
    const auto snapshot = rig.service.currentCalibrationSnapshot();
    EXPECT_FALSE(snapshot.isCalibrating);
    EXPECT_NEAR(snapshot.calibrationDeltaPixels, 1638, 1e-9);
    EXPECT_NEAR(snapshot.calibrationPathPixels, 2293.2, 1e-9);
    // A report without delta at the same place adds nothing after relative motion.
    rig.move(0, 0, {1082.8, 1410.4});
    EXPECT_NEAR(rig.service.currentCalibrationSnapshot().sessionPixelsTraveled, 2293.2, 1e-9);

    EXPECT_EQ(rig.logMessages(),
        (std::vector<std::string> {"Started guided 0 cm DPI calibration test",
            "Stopped DPI calibration with insufficient cursor displacement",
            "Started guided 10 cm DPI calibration test",
            "Completed DPI calibration: measured 400 DPI across 1638 px"}));
    for (const auto& line : rig.log.lines()) {
        EXPECT_EQ(line.level, TarnLogLevel::info);
    }

    const auto logged = rig.log.lines().size();
    rig.calibration.clear();
    rig.service.resetCalibrationSession();
    ASSERT_EQ(rig.calibration.size(), 1u);
    EXPECT_EQ(rig.calibration[0].sessionPixelsTraveled, 0);
    EXPECT_EQ(rig.calibration[0].measuredEffectiveDPI, std::nullopt);
    EXPECT_EQ(rig.log.lines().size(), logged);
}

TEST(PointerTelemetryServiceTest, ResetDiagnosticsZeroesEverythingAndReportsTelemetryFirst)
{
    MotionRig rig;
    std::vector<std::string> order;
    EngineCallbacks callbacks;
    PointerTelemetrySnapshot lastTelemetry;
    callbacks.onPointerTelemetry = [&](const PointerTelemetrySnapshot& s) {
        order.push_back("telemetry");
        lastTelemetry = s;
    };
    callbacks.onCalibrationSnapshot = [&](const PointerCalibrationSnapshot&) { order.push_back("calibration"); };
    for (int i = 0; i < 20; ++i) {
        rig.move(3, 4);
        rig.clock.advance(1ms);
    }
    TapEvent press;
    press.type = TapEventType::otherMouseDown;
    press.buttonNumber = 2;
    (void)rig.tap.deliver(press);
    press.type = TapEventType::otherMouseUp;
    (void)rig.tap.deliver(press);
    rig.service.setCallbacks(std::move(callbacks));

    const auto logged = rig.log.lines().size();
    rig.service.resetDiagnostics();
    EXPECT_EQ(order, (std::vector<std::string> {"telemetry", "calibration"}));
    EXPECT_EQ(lastTelemetry, PointerTelemetrySnapshot {});
    EXPECT_EQ(lastTelemetry.lastButtonLabel, "—");
    const auto snapshot = rig.service.currentCalibrationSnapshot();
    EXPECT_EQ(snapshot.sessionClicks, 0);
    EXPECT_EQ(snapshot.sessionPixelsTraveled, 0);
    EXPECT_EQ(rig.log.lines().size(), logged);
}

} // namespace
} // namespace tarn::input
