// The engine's reports cross to the interface through the mailbox on the input thread, where
// waiting on the heap is not allowed: once warmed up, writing a report and waking the interface
// thread (the program's own eventfd wake-up) may not allocate. Every heap allocation of the
// process is counted, so this test is a program of its own.

#include <chrono>
#include <cstdint>
#include <string>

#include <QCoreApplication>
#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "TarnInput/ViewModel/Mailbox/EngineMailbox.h"
#include "TarnInput/ViewModel/Mailbox/EventFdWakeup.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "tests/HeapAllocationCounter.h"

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

// Counts what the interface thread receives, so each round is seen to carry its report.
struct CountingReceiver : EngineMailboxReceiver {
    void receiveActiveResolution(const EffectiveInputResolution&) override { ++resolutions; }
    void receivePointerTelemetry(const PointerTelemetrySnapshot&) override { ++telemetry; }
    void receiveCalibration(const PointerCalibrationSnapshot&) override { ++calibrations; }
    void receiveKeystrokeToken(const KeyHUDToken&) override { ++tokens; }
    void receiveClickRipple(const ClickRippleEvent&) override { ++ripples; }
    void appendTelemetry(const std::string&) override { ++lines; }

    int resolutions = 0;
    int telemetry = 0;
    int calibrations = 0;
    int tokens = 0;
    int ripples = 0;
    int lines = 0;
};

InputSettings everyReportOn()
{
    InputSettings settings;
    settings.keyHUDEnabled = true;
    settings.clickRippleEnabled = true;
    settings.doubleClickGuardEnabled = true;
    return settings;
}

// The engine on the fake ports, wired to the mailbox through the program's own adapter, which
// the program's own wake-up drains on this thread's event loop.
struct Rig : FakeEnginePorts {
    Rig()
        : mailbox([this] { wakeup.wake(); })
        , service(everyReportOn(), ports())
        , drains(wakeup.subscribe([this] {
            ++wakes;
            mailbox.drain(receiver);
        }))
    {
        workspace.activate("org.mozilla.firefox.nightly", "Firefox Nightly Developer Edition");
        service.setCallbacks(mailbox.callbacks());
        EXPECT_TRUE(service.start());
    }

    // The interface thread's turn: it builds the texts the screens show, so it is not counted.
    void runInterface() { QCoreApplication::processEvents(); }

    void deliver(TapEventType type, std::int64_t button = 0)
    {
        TapEvent event;
        event.type = type;
        event.buttonNumber = button;
        (void)tap.deliver(event);
    }

    // A left click, a HUD key and a move past the telemetry interval: every kind of report.
    void round()
    {
        clock.advance(250ms);
        deliver(TapEventType::leftMouseDown);
        deliver(TapEventType::leftMouseUp);
        TapEvent key;
        key.type = TapEventType::keyDown;
        key.keyCode = 8;
        key.flags = EventFlag::command;
        (void)tap.deliver(key);
        TapEvent move;
        move.type = TapEventType::mouseMoved;
        move.mouseDeltaX = 3;
        (void)tap.deliver(move);
    }

    int argc = 1;
    char name[10] = "mailbox";
    char* argv[1] = {name};
    QCoreApplication application {argc, argv};
    EventFdWakeup wakeup;
    CountingReceiver receiver;
    EngineMailbox mailbox;
    InputEventInterceptorService service;
    Subscription drains;
    int wakes = 0;
};

TEST(EngineMailboxAllocationTest, ReportsReachTheMailboxWithoutAllocating)
{
    Rig rig;
    const auto& receiver = rig.receiver;
    rig.round();
    rig.runInterface();

    constexpr int kRounds = 20;
    std::uint64_t allocations = 0;
    for (int index = 0; index < kRounds; ++index) {
        const auto before = heapAllocationCount();
        rig.round();
        allocations += heapAllocationCount() - before;
        rig.runInterface();
    }

    EXPECT_EQ(allocations, 0U);
    EXPECT_EQ(receiver.ripples, kRounds + 1);
    EXPECT_EQ(receiver.tokens, kRounds + 1);
    EXPECT_GE(receiver.telemetry, kRounds);
    EXPECT_GE(receiver.calibrations, kRounds);
    // One wake-up per drained burst, however many reports each carried.
    EXPECT_EQ(rig.wakes, kRounds + 1);
    EXPECT_EQ(rig.mailbox.droppedReports(), 0U);
}

TEST(EngineMailboxAllocationTest, AFullQueueDropsReportsWithoutWaitingOrAllocating)
{
    Rig rig;
    const auto& receiver = rig.receiver;
    rig.round();
    rig.runInterface();

    const auto before = heapAllocationCount();
    for (int index = 0; index < 200; ++index) {
        rig.round();
    }
    EXPECT_EQ(heapAllocationCount() - before, 0U);
    EXPECT_GT(rig.mailbox.droppedReports(), 0U);

    rig.runInterface();
    // The whole burst woke the interface thread once.
    EXPECT_EQ(rig.wakes, 2);
    EXPECT_EQ(receiver.ripples, 1 + 64);
    EXPECT_EQ(receiver.telemetry, 2);
}

} // namespace
} // namespace tarn::input
