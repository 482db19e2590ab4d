#include "TarnKit/Foundation/Basics/NotificationCenter.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(NotificationCenter, DeliversByNameUntilCancelled)
{
    NotificationCenter center;
    std::vector<std::string> seen;
    auto subscription = center.observe("com.harrowfen.a",
        [&](const Notification& note) { seen.push_back(note.name + ":" + note.userInfo.value("v", "")); });
    center.post("com.harrowfen.a", {{"v", "1"}});
    center.post("com.harrowfen.b", {{"v", "2"}});
    subscription.cancel();
    center.post("com.harrowfen.a", {{"v", "3"}});
    EXPECT_EQ(seen, std::vector<std::string> {"com.harrowfen.a:1"});
}

TEST(NotificationCenter, HandlerMayCancelAnotherObserverDuringPost)
{
    NotificationCenter center;
    int secondCalls = 0;
    Subscription second;
    auto first = center.observe("n", [&](const Notification&) { second.cancel(); });
    second = center.observe("n", [&](const Notification&) { ++secondCalls; });
    center.post("n");
    EXPECT_EQ(secondCalls, 0);
}

TEST(NotificationCenter, DestroyedHandleUnsubscribes)
{
    NotificationCenter center;
    int calls = 0;
    {
        auto subscription = center.observe("n", [&](const Notification&) { ++calls; });
        center.post("n");
    }
    center.post("n");
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace tarn
