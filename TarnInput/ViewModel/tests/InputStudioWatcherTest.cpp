#include <ostream>

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"

namespace tarn::input::testing {
namespace {

using namespace std::chrono_literals;

struct WatcherCase {
    const char* name;
    bool engineEnabled;
    bool clickRippleEnabled;
    bool grantedAtStart;
    bool tapFailsAtStart;
    bool grantedAtChange;
    bool expectGranted;
    bool expectTapActive;
};

// Names the row in test output.
void PrintTo(const WatcherCase& row, std::ostream* out)
{
    *out << row.name;
}

class InputStudioWatcherTable : public ::testing::TestWithParam<WatcherCase> { };

TEST_P(InputStudioWatcherTable, OneDeviceChangeCatchesUpWithThePermission)
{
    const auto& row = GetParam();
    StudioHarness h;
    auto settings = InputSettings {};
    settings.engineEnabled = row.engineEnabled;
    settings.clickRippleEnabled = row.clickRippleEnabled;
    h.writeSettingsFile(settings);
    h.permission.setAccessibilityGranted(row.grantedAtStart);
    h.engine.tap.setCreationFails(row.tapFailsAtStart);
    auto& vm = h.start();

    h.permission.setAccessibilityGranted(row.grantedAtChange);
    h.engine.tap.setCreationFails(false);
    h.advance(1h);
    EXPECT_EQ(vm.isAccessibilityGranted(), row.grantedAtStart) << "no look without a change, however long";
    h.noticeDeviceChange();

    EXPECT_EQ(vm.isAccessibilityGranted(), row.expectGranted);
    EXPECT_EQ(vm.isTapActive(), row.expectTapActive);
    EXPECT_EQ(h.engine.tap.exists(), row.expectTapActive);
}

INSTANTIATE_TEST_SUITE_P(Cases, InputStudioWatcherTable,
    ::testing::Values(WatcherCase {"grantedWhileRunning", true, false, false, false, true, true, true},
        // The tap is stopped, not left holding a grab that no longer reads anything.
        WatcherCase {"revokedWhileTapping", true, false, true, false, false, false, false},
        WatcherCase {"engineTapRetriedAfterFailedStart", true, false, true, true, true, true, true},
        WatcherCase {"rippleOnlyTapNotRetried", false, true, true, true, true, true, false},
        WatcherCase {"grantedWithNothingNeeded", false, false, false, false, true, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InputStudioWatcher, AtRestNothingRunsOnAClock)
{
    StudioHarness h;
    h.addDevice("MX Master 3", 0x046D);
    auto& vm = h.start();
    ASSERT_TRUE(vm.isTapActive());
    EXPECT_EQ(h.engine.executor.armedCount(), 0U) << "no timer of the view model or the engine is armed";
    EXPECT_EQ(h.deviceChanges.subscriberCount(), 1U);
    h.journal.clear();

    h.advance(1h);

    EXPECT_TRUE(h.journal.entries().empty());
}

TEST(InputStudioWatcher, AnUnchangedLookOnlyChecksThePermissionAndTheDevices)
{
    StudioHarness h;
    h.addDevice("MX Master 3", 0x046D);
    auto& vm = h.start();
    int deviceNotices = 0;
    QObject::connect(&vm, &InputStudioViewModel::connectedDevicesChanged, [&] { ++deviceNotices; });
    h.journal.clear();

    h.noticeDeviceChange();
    h.noticeDeviceChange();

    EXPECT_EQ(h.journal.entries(),
        (std::vector<std::string> {
            "permission.check granted", "devices.scan", "permission.check granted", "devices.scan"}));
    EXPECT_EQ(deviceNotices, 0);
}

TEST(InputStudioWatcher, ARippleOnlyTapThatFailedStartsWithTheNextSettingsChange)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.engineEnabled = false;
    settings.clickRippleEnabled = true;
    h.writeSettingsFile(settings);
    h.engine.tap.setCreationFails(true);
    auto& vm = h.start();
    h.engine.tap.setCreationFails(false);
    h.noticeDeviceChange();
    h.noticeDeviceChange();
    ASSERT_FALSE(vm.isTapActive());

    vm.applySettingsChange([](InputSettings&) {});

    EXPECT_TRUE(vm.isTapActive());
}

TEST(InputStudioWatcher, PublishesAndLogsAChangedDeviceList)
{
    StudioHarness h;
    h.addDevice("MX Master 3", 0x046D);
    auto& vm = h.start();
    int deviceNotices = 0;
    QObject::connect(&vm, &InputStudioViewModel::connectedDevicesChanged, [&] {
        ++deviceNotices;
        EXPECT_EQ(h.engine.log.count("HID hardware snapshot (change): 0 device(s) — none"), 0U)
            << "published before it is logged";
    });
    h.devices.setDevices({});

    h.noticeDeviceChange();

    EXPECT_EQ(deviceNotices, 1);
    EXPECT_TRUE(vm.connectedDevices().empty());
    EXPECT_EQ(h.engine.log.count("HID hardware snapshot (change): 0 device(s) — none"), 1U);
    EXPECT_FALSE(vm.toastMessage());
}

TEST(InputStudioWatcher, StopsWithTheViewModel)
{
    StudioHarness h;
    h.start();
    h.quit();
    h.journal.clear();

    EXPECT_EQ(h.deviceChanges.subscriberCount(), 0U);
    h.noticeDeviceChange();

    EXPECT_TRUE(h.journal.entries().empty());
}

} // namespace
} // namespace tarn::input::testing
