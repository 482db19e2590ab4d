#include "Platform/Linux/Devices/DeviceNodePermissionBackend.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarn {
namespace {

// A folder standing in for /dev, open for anyone to walk through.
class DeviceTree {
public:
    DeviceTree()
    {
        std::filesystem::permissions(root(), std::filesystem::perms(0755));
        std::filesystem::create_directory(root() / "input");
        std::filesystem::permissions(root() / "input", std::filesystem::perms(0755));
    }

    const std::filesystem::path& root() const { return m_folder.path(); }

    void add(const std::filesystem::path& relative, std::filesystem::perms mode)
    {
        std::ofstream(root() / relative).put('\0');
        std::filesystem::permissions(root() / relative, mode);
    }

private:
    TemporaryFolder m_folder;
};

// access(2) lets root read and write everything, so the checks of file modes run in a child
// process that has given up root for an ordinary user. Not running as root, the test user is
// ordinary already.
bool grantedForOrdinaryUser(const DeviceNodePermissionBackend& backend)
{
    if (::geteuid() != 0) {
        return backend.isAccessibilityGranted();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            ::_exit(2);
        }
        ::_exit(backend.isAccessibilityGranted() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "could not drop root";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

using std::filesystem::perms;
constexpr perms kOpen = perms(0666);

TEST(DeviceNodePermissionBackend, NeedsUinputAndAtLeastOneEventDevice)
{
    DeviceTree tree;
    const DeviceNodePermissionBackend backend(tree.root());
    EXPECT_FALSE(backend.isAccessibilityGranted()) << "nothing there";

    tree.add("input/mice", kOpen);
    tree.add("input/js0", kOpen);
    tree.add("uinput", kOpen);
    EXPECT_FALSE(backend.isAccessibilityGranted()) << "no event device to read";

    tree.add("input/event0", kOpen);
    tree.add("input/event12", kOpen);
    EXPECT_TRUE(backend.isAccessibilityGranted());
    EXPECT_TRUE(grantedForOrdinaryUser(backend));

    std::filesystem::remove(tree.root() / "uinput");
    EXPECT_FALSE(backend.isAccessibilityGranted());
    EXPECT_FALSE(DeviceNodePermissionBackend(tree.root() / "missing").isAccessibilityGranted());
}

TEST(DeviceNodePermissionBackend, FollowsTheModesAnOrdinaryUserGets)
{
    struct Case {
        const char* what;
        perms uinput;
        perms event0;
        perms event1;
        bool granted;
    };
    const Case cases[] = {
        {"all open", kOpen, kOpen, kOpen, true},
        {"uinput readable only", perms(0644), kOpen, kOpen, false},
        {"uinput for its group only", perms(0660), kOpen, kOpen, false},
        {"one event device closed", kOpen, kOpen, perms(0600), false},
        {"event devices readable, not writable", kOpen, perms(0444), perms(0444), true},
    };
    for (const auto& c : cases) {
        DeviceTree tree;
        tree.add("uinput", c.uinput);
        tree.add("input/event0", c.event0);
        tree.add("input/event1", c.event1);
        EXPECT_EQ(grantedForOrdinaryUser(DeviceNodePermissionBackend(tree.root())), c.granted) << c.what;
    }
}

TEST(DeviceNodePermissionBackend, ScreenRecordingNeedsNoGrant)
{
    EXPECT_TRUE(DeviceNodePermissionBackend("/nonexistent").isScreenRecordingGranted());
}

} // namespace
} // namespace tarn
