// The device nodes' own changes (modes, owners, access lists, removal), watched in a folder that
// stands for /dev; udev's side is tested with umockdev's testbed. Waits are bounded waits for the
// watcher's thread to post.

#include "Platform/Linux/Devices/UdevDeviceChangeNotices.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

using namespace std::chrono_literals;
using std::filesystem::perms;

// A folder standing in for /dev, with its nodes in place before anything watches it.
struct DeviceFolder {
    DeviceFolder()
    {
        std::filesystem::create_directory(folder.path() / "input");
        for (const char* node : {"uinput", "input/event0", "input/event1"}) {
            std::ofstream(folder.path() / node).put('\0');
        }
    }

    TemporaryFolder folder;
};

class UdevDeviceChangeNoticesTest : public ::testing::Test {
protected:
    std::filesystem::path node(const char* relative) const { return m_devices.folder.path() / relative; }

    // Runs the notices posted within a bounded wait; answers how many subscribers were told.
    int told()
    {
        const int before = m_told;
        if (m_mainThread.waitForPending(5s)) {
            m_mainThread.runPending();
        }
        return m_told - before;
    }

    bool quiet() { return !m_mainThread.waitForPending(300ms); }

    DeviceFolder m_devices;
    ManualMainThreadExecutor m_mainThread;
    UdevDeviceChangeNotices m_notices {m_mainThread, m_devices.folder.path(), ""};
    int m_told = 0;
    Subscription m_subscription = m_notices.subscribe([this] { ++m_told; });
};

TEST_F(UdevDeviceChangeNoticesTest, AChangedModeOfAnyNodeIsTold)
{
    for (const char* relative : {"uinput", "input/event0", "input/event1"}) {
        std::filesystem::permissions(node(relative), perms::owner_read | perms::group_read);
        EXPECT_EQ(told(), 1) << relative;
    }
}

TEST_F(UdevDeviceChangeNoticesTest, ABurstOfChangesIsOneNotice)
{
    for (int i = 0; i < 5; ++i) {
        std::filesystem::permissions(node("input/event0"), i % 2 == 0 ? perms::owner_all : perms::owner_read);
        std::filesystem::permissions(node("uinput"), i % 2 == 0 ? perms::owner_all : perms::owner_read);
    }
    EXPECT_EQ(told(), 1);
    EXPECT_TRUE(quiet());
}

TEST_F(UdevDeviceChangeNoticesTest, ARemovedNodeIsTold)
{
    std::filesystem::remove(node("input/event1"));
    EXPECT_EQ(told(), 1);
}

TEST_F(UdevDeviceChangeNoticesTest, NothingIsToldWhileNothingChanges)
{
    // Reading a node is no change.
    std::ifstream(node("input/event0")).get();
    EXPECT_TRUE(quiet());
    EXPECT_EQ(m_told, 0);
}

TEST_F(UdevDeviceChangeNoticesTest, ACancelledSubscriptionIsNotTold)
{
    m_subscription.cancel();
    std::filesystem::permissions(node("uinput"), perms::owner_read);
    EXPECT_EQ(told(), 0);
}

} // namespace
} // namespace tarn
