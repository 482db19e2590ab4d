#include "TarnInputCore/Engine/Pointer/SmoothScroller.h"

#include <atomic>
#include <cmath>
#include <thread>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

constexpr double kDecay = 0.3;

TEST(SmoothScrollerTest, TheTickTakesTheStepsAndSleepsOnceTheTravelIsOver)
{
    SmoothScroller scroller;
    ASSERT_TRUE(scroller.addStep(0, 1));
    EXPECT_TRUE(scroller.wakeTick()) << "the first step wakes the sleeping tick";
    ASSERT_TRUE(scroller.addStep(0, 1));
    EXPECT_FALSE(scroller.wakeTick()) << "an awake tick is not armed twice";
    double travelled = 0;
    while (const auto frame = scroller.nextFrame(true, kDecay)) {
        travelled += frame->y;
    }
    EXPECT_NEAR(travelled, 2 * SmoothScroller::kPixelsPerNotch, SmoothScrollPhysics::kStopThresholdPixels);
    EXPECT_FALSE(scroller.sleepTick()) << "nothing came in meanwhile";
    EXPECT_TRUE(scroller.wakeTick()) << "asleep again: the next step arms it";
}

TEST(SmoothScrollerTest, AStepThatCameWhileTheTickWentToSleepArmsItAgain)
{
    SmoothScroller scroller;
    ASSERT_TRUE(scroller.addStep(0, 1));
    ASSERT_TRUE(scroller.wakeTick());
    while (scroller.nextFrame(true, kDecay)) { }
    // The tap thread sees the tick still awake, so it does not arm it…
    ASSERT_TRUE(scroller.addStep(0, -1));
    EXPECT_FALSE(scroller.wakeTick());
    // …and the tick, going to sleep, must.
    EXPECT_TRUE(scroller.sleepTick());
    const auto frame = scroller.nextFrame(true, kDecay);
    ASSERT_TRUE(frame);
    EXPECT_LT(frame->y, 0);
}

TEST(SmoothScrollerTest, SmoothingSwitchedOffDropsTheTravelAndTheWaitingSteps)
{
    SmoothScroller scroller;
    ASSERT_TRUE(scroller.addStep(1, 1));
    ASSERT_TRUE(scroller.nextFrame(true, kDecay));
    ASSERT_TRUE(scroller.addStep(1, 1));
    EXPECT_FALSE(scroller.nextFrame(false, kDecay));
    EXPECT_FALSE(scroller.nextFrame(true, kDecay)) << "nothing is left once smoothing is back on";
}

TEST(SmoothScrollerTest, AFullRingRefusesTheStep)
{
    SmoothScroller scroller;
    for (std::size_t step = 0; step < SmoothScroller::kStepCapacity; ++step) {
        ASSERT_TRUE(scroller.addStep(0, 1));
    }
    EXPECT_FALSE(scroller.addStep(0, 1));
    ASSERT_TRUE(scroller.nextFrame(true, kDecay));
    EXPECT_TRUE(scroller.addStep(0, 1)) << "the tick made room";
}

// The tap thread and the tick race; whatever the interleaving, every step is scrolled: no step is
// ever left without an awake tick to take it.
TEST(SmoothScrollerTest, RacingStepsAreNeverLeftWithoutATick)
{
    constexpr int kSteps = 20000;
    SmoothScroller scroller;
    std::atomic<bool> armed {false};
    std::atomic<int> added {0};
    std::thread tapThread([&] {
        for (int step = 0; step < kSteps; ++step) {
            while (!scroller.addStep(0, 1)) {
                std::this_thread::yield();
            }
            ++added;
            if (scroller.wakeTick()) {
                armed = true;
            }
        }
    });
    double travelled = 0;
    int sleeps = 0;
    // The tick: runs while armed, disarms itself when there is nothing left.
    while (added.load() < kSteps || armed.load()) {
        if (!armed.load()) {
            std::this_thread::yield();
            continue;
        }
        if (const auto frame = scroller.nextFrame(true, SmoothScrollPhysics::kMaximumDecayRate)) {
            travelled += frame->y;
            continue;
        }
        ++sleeps;
        armed = false;
        if (scroller.sleepTick()) {
            armed = true;
        }
    }
    tapThread.join();
    // Each time the travel runs out, what is left below the stop threshold is dropped; nothing
    // else may be missing.
    const double total = kSteps * SmoothScroller::kPixelsPerNotch;
    EXPECT_LE(travelled, total + 1e-6);
    EXPECT_GE(travelled + sleeps * SmoothScrollPhysics::kStopThresholdPixels, total - 1e-6);
}

} // namespace
} // namespace tarn::input
