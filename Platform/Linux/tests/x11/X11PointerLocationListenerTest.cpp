// The pointer location cache follows the pointer of a real X server as another program moves it.

#include "Platform/Linux/X11/X11PointerLocationListener.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/tests/x11/X11TestClient.h"

namespace tarn::input {
namespace {

void movePointer(int x, int y)
{
    const std::string command = "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

TEST(X11PointerLocationListener, FollowsThePointerWhileItRuns)
{
    movePointer(20, 30);
    PointerLocationCache cache;
    RecordingLogSink log;
    {
        X11PointerLocationListener listener(cache, log);
        ASSERT_TRUE(listener.isListening());
        EXPECT_TRUE(cache.isFollowedByDisplayServer());
        EXPECT_EQ(cache.load(), (EventPoint {20, 30})); // known from the start, before any motion

        for (const auto& [x, y] : {std::pair {640, 400}, std::pair {1279, 0}, std::pair {3, 799}}) {
            movePointer(x, y);
            const EventPoint expected {double(x), double(y)};
            EXPECT_TRUE(waitUntil([&] { return cache.load() == expected; }))
                << "at " << cache.load().x << "," << cache.load().y << " instead of " << x << "," << y;
        }
    }
    EXPECT_FALSE(cache.isFollowedByDisplayServer());
    EXPECT_TRUE(log.lines().empty());
}

// Over another program's window only the device's raw motion reaches the listener.
TEST(X11PointerLocationListener, FollowsDeviceMotionOverOtherWindows)
{
    X11TestClient client;
    ASSERT_TRUE(client.connected());
    const auto window = client.open({"cover", "Cover", "Cover", false, XCB_ATOM_NONE, 0, 0, 1280, 800});
    client.selectPointerMotion(window);
    PointerLocationCache cache;
    RecordingLogSink log;
    X11PointerLocationListener listener(cache, log);
    ASSERT_TRUE(listener.isListening());
    for (const auto& [x, y] : {std::pair {300, 200}, std::pair {301, 200}, std::pair {900, 650}}) {
        client.fakeMotion(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
        const EventPoint expected {double(x), double(y)};
        EXPECT_TRUE(waitUntil([&] { return cache.load() == expected; }))
            << "at " << cache.load().x << "," << cache.load().y << " instead of " << x << "," << y;
    }
    client.close(window);
}

TEST(X11PointerLocationListener, WithoutTheListenerTheTapKeepsThePosition)
{
    PointerLocationCache cache;
    RecordingLogSink log;
    {
        X11PointerLocationListener listener(cache, log);
        ASSERT_TRUE(cache.isFollowedByDisplayServer());
    }
    // Without the listener the tap keeps the position itself again.
    EXPECT_FALSE(cache.isFollowedByDisplayServer());
    EXPECT_TRUE(log.lines().empty());
}

} // namespace
} // namespace tarn::input
