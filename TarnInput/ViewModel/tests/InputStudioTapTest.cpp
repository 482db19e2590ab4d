#include <ostream>

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"

namespace tarn::input::testing {
namespace {

// refreshPermissionAndTap over needed × granted, from a running tap and from none.
struct TapCase {
    const char* name;
    bool needed;
    bool granted;
    bool runningBefore;
    bool expectRunning;
};

// Names the row in test output.
void PrintTo(const TapCase& row, std::ostream* out)
{
    *out << row.name;
}

class InputStudioTapTable : public ::testing::TestWithParam<TapCase> { };

TEST_P(InputStudioTapTable, StartsOnlyWhenNeededAndAllowed)
{
    const auto& row = GetParam();
    StudioHarness h;
    h.permission.setAccessibilityGranted(row.runningBefore);
    auto settings = InputSettings {};
    settings.engineEnabled = row.needed || row.runningBefore;
    h.writeSettingsFile(settings);
    auto& vm = h.start();
    ASSERT_EQ(vm.isTapActive(), row.runningBefore);
    if (!row.needed) {
        vm.applySettingsChange([](InputSettings& s) { s.engineEnabled = false; });
    }

    h.permission.setAccessibilityGranted(row.granted);
    vm.refreshPermissionAndTap(false);

    EXPECT_EQ(vm.isAccessibilityGranted(), row.granted);
    EXPECT_EQ(vm.isTapActive(), row.expectRunning);
    EXPECT_EQ(h.engine.tap.exists(), row.expectRunning);
    EXPECT_EQ(h.interceptor().isRunning(), row.expectRunning);
}

INSTANTIATE_TEST_SUITE_P(Cases, InputStudioTapTable,
    ::testing::Values(TapCase {"neededGrantedFromStopped", true, true, false, true},
        TapCase {"neededGrantedWhileRunning", true, true, true, true},
        // A permission lost while the tap runs stops it: no dead grab behind an "off" interface.
        TapCase {"neededDeniedWhileRunning", true, false, true, false},
        TapCase {"neededDeniedFromStopped", true, false, false, false},
        TapCase {"notNeededGranted", false, true, true, false}, TapCase {"notNeededDenied", false, false, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InputStudioTap, ARefusedTapIsPublishedAsInactive)
{
    StudioHarness h;
    h.engine.tap.setCreationFails(true);

    auto& vm = h.start();

    EXPECT_TRUE(vm.isAccessibilityGranted());
    EXPECT_FALSE(vm.isTapActive());
    EXPECT_EQ(
        h.engine.log.count(
            "Failed to open the input devices (read access to /dev/input and write access to /dev/uinput required)"),
        1U);
}

} // namespace
} // namespace tarn::input::testing
