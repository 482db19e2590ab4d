#include "TarnInputCore/PointerPreferences/PointerAccelerationBridge.h"

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakePointerPreferences.h"

namespace tarn::input {
namespace {

TEST(PointerAccelerationBridgeTest, ReadsOnlyATrueNumberAsDisabled)
{
    FakePointerPreferences preferences;
    PointerAccelerationBridge bridge(preferences);
    EXPECT_FALSE(bridge.isAccelerationDisabled());
    struct Case {
        PointerPreferenceValue value;
        bool disabled;
    };
    for (const auto& c : {Case {true, true}, Case {false, false}, Case {1.0, true}, Case {0.0, false},
             Case {std::string("true"), false}}) {
        preferences.storeLinear(c.value);
        EXPECT_EQ(bridge.isAccelerationDisabled(), c.disabled) << c.value.index();
    }
}

TEST(PointerAccelerationBridgeTest, WritesClampedSpeedsAndRestoresTheUsersOwn)
{
    FakePointerPreferences preferences;
    PointerAccelerationBridge bridge(preferences);
    EXPECT_TRUE(bridge.setAccelerationDisabled(true, 1.0));
    EXPECT_EQ(preferences.linear(), PointerPreferenceValue {true});
    EXPECT_EQ(preferences.scaling(), PointerPreferenceValue {-1.0});

    // Nothing remembered (no speed was stored): the caller's speed, clamped.
    struct Case {
        double speed;
        double written;
    };
    for (const auto& c : {Case {0.1, 0.25}, Case {5, 3.0}, Case {1.5, 1.5}}) {
        FakePointerPreferences fresh;
        PointerAccelerationBridge b(fresh);
        EXPECT_TRUE(b.setAccelerationDisabled(false, c.speed));
        EXPECT_EQ(fresh.linear(), PointerPreferenceValue {false});
        EXPECT_EQ(fresh.scaling(), PointerPreferenceValue {c.written}) << c.speed;
    }

    // The user's own speed survives switching acceleration off and on, also off twice.
    FakePointerPreferences user;
    user.storeScaling(0.6875);
    PointerAccelerationBridge b(user);
    EXPECT_TRUE(b.setAccelerationDisabled(true, 2.0));
    EXPECT_TRUE(b.setAccelerationDisabled(true, 2.0));
    EXPECT_TRUE(b.setAccelerationDisabled(false, 2.0));
    EXPECT_EQ(user.scaling(), PointerPreferenceValue {0.6875});
    // Once restored, the next change uses what is stored then.
    user.storeScaling(1.25);
    EXPECT_TRUE(b.setAccelerationDisabled(true, 2.0));
    EXPECT_TRUE(b.setAccelerationDisabled(false, 2.0));
    EXPECT_EQ(user.scaling(), PointerPreferenceValue {1.25});

    user.setSynchronizeFails(true);
    EXPECT_FALSE(b.setAccelerationDisabled(true, 1.0));
}

} // namespace
} // namespace tarn::input
