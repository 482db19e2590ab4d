// The poster is opened whenever the tap is created, so an input permission that arrives after
// launch reaches posting too, and a tap is never created that could not post.

#include "Platform/Linux/Input/PosterOpeningEventTap.h"

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEventTap.h"

namespace tarn::input {
namespace {

struct PassingHandler final : EventTapHandler {
    TapVerdict handleTapEvent(TapEvent& /*event*/) override { return TapVerdict::pass; }
};

TEST(PosterOpeningEventTap, CreatesTheTapOnlyOnceThePosterOpens)
{
    FakeEventTap inner;
    bool posterOpens = false;
    int openAttempts = 0;
    PosterOpeningEventTap tap(inner, [&] {
        ++openAttempts;
        return posterOpens;
    });
    PassingHandler handler;

    EXPECT_FALSE(tap.create(0b1010, handler));
    EXPECT_EQ(inner.createCount(), 0);

    // The permission arrives later: the next creation opens the poster and then the tap.
    posterOpens = true;
    ASSERT_TRUE(tap.create(0b1010, handler));
    EXPECT_EQ(openAttempts, 2);
    EXPECT_EQ(inner.eventMask(), 0b1010U);

    tap.enable();
    EXPECT_TRUE(inner.isEnabled());
    tap.destroy();
    EXPECT_FALSE(inner.exists());
}

TEST(PosterOpeningEventTap, ATapThatCannotBeCreatedFailsWithAnOpenPoster)
{
    FakeEventTap inner;
    inner.setCreationFails(true);
    PosterOpeningEventTap tap(inner, [] { return true; });
    PassingHandler handler;

    EXPECT_FALSE(tap.create(1, handler));
    EXPECT_FALSE(inner.exists());
}

} // namespace
} // namespace tarn::input
