// Notices between two connections of the session bus, as two programs of the family would use
// them; and the session-bus names that tell that an application runs.

#include "Platform/Linux/DBus/SdBusDistributedNotifier.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Linux/DBus/SessionBusNames.h"

#include <unistd.h>

namespace tarn {
namespace {

using namespace std::chrono_literals;

// What one observer heard, filled on the notifier's thread.
class Heard {
public:
    DistributedNotifier::Handler handler()
    {
        return [this](const std::optional<std::string>& object) {
            std::lock_guard lock(m_mutex);
            m_objects.push_back(object);
            m_changed.notify_all();
        };
    }
    // Waits, at most a few seconds, until `count` notices were heard.
    std::vector<std::optional<std::string>> waitFor(std::size_t count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, 5s, [&] { return m_objects.size() >= count; });
        return m_objects;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::optional<std::string>> m_objects;
};

std::unique_ptr<SdBusDistributedNotifier> connectNotifier()
{
    std::string whyNot;
    auto notifier = SdBusDistributedNotifier::connect(whyNot);
    EXPECT_TRUE(notifier) << whyNot;
    return notifier;
}

TEST(SdBusDistributedNotifier, ANoticeReachesTheObserversOfItsNameInEveryProgram)
{
    const auto poster = connectNotifier();
    const auto listener = connectNotifier();
    ASSERT_TRUE(poster && listener);
    Heard elsewhere;
    Heard self;
    Heard otherName;
    const Subscription a = listener->observe("com.harrowfen.suite.command.tarnmemory", elsewhere.handler());
    const Subscription b = poster->observe("com.harrowfen.suite.command.tarnmemory", self.handler());
    const Subscription c = listener->observe("com.harrowfen.suite.command.tarnzen", otherName.handler());

    ASSERT_TRUE(poster->post("com.harrowfen.suite.command.tarnmemory"));
    ASSERT_TRUE(poster->post("com.harrowfen.suite.command.tarnmemory", "mini"));
    ASSERT_TRUE(poster->post("com.harrowfen.suite.command.tarnmemory", ""));

    const std::vector<std::optional<std::string>> expected {std::nullopt, "mini", ""};
    EXPECT_EQ(elsewhere.waitFor(3), expected);
    EXPECT_EQ(self.waitFor(3), expected) << "the poster's own observers hear it too";
    // Notices of one connection arrive in order, so one for the other name posted last arriving
    // shows that none of the earlier ones went to it.
    ASSERT_TRUE(poster->post("com.harrowfen.suite.command.tarnzen"));
    EXPECT_EQ(otherName.waitFor(1).size(), 1u);
}

TEST(SdBusDistributedNotifier, ACancelledObserverHearsNoMore)
{
    const auto notifier = connectNotifier();
    ASSERT_TRUE(notifier);
    Heard cancelled;
    Heard kept;
    Subscription gone = notifier->observe("com.harrowfen.test.cancel", cancelled.handler());
    const Subscription stays = notifier->observe("com.harrowfen.test.cancel", kept.handler());
    gone.cancel();
    ASSERT_TRUE(notifier->post("com.harrowfen.test.cancel"));
    EXPECT_EQ(kept.waitFor(1).size(), 1u);
    EXPECT_TRUE(cancelled.waitFor(0).empty());
}

TEST(SdBusDistributedNotifier, ANameThatIsNoTextIsNotPosted)
{
    const auto notifier = connectNotifier();
    ASSERT_TRUE(notifier);
    EXPECT_FALSE(notifier->post(std::string("\xFF\xFE", 2)));
}

TEST(SessionBusNames, AClaimedNameHasAnOwnerAndTheOwnersProcess)
{
    SessionBusNames holder;
    SessionBusNames asker;
    const std::string name = "com.harrowfen.test.names" + std::to_string(::getpid());
    EXPECT_FALSE(asker.hasOwner(name));
    EXPECT_EQ(asker.ownerProcess(name), std::nullopt);
    ASSERT_TRUE(holder.claim(name));
    EXPECT_TRUE(asker.hasOwner(name));
    EXPECT_EQ(asker.ownerProcess(name), ::getpid());
    EXPECT_FALSE(asker.claim(name)) << "held by another connection";
    EXPECT_FALSE(asker.hasOwner("not a bus name"));
}

} // namespace
} // namespace tarn
