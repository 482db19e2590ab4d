#include <ostream>

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"

namespace tarn::input::testing {
namespace {

using namespace std::chrono_literals;

struct RescanCase {
    const char* name;
    bool listChanges;
    bool showFeedback;
    std::vector<std::string> expectedLog;
    std::optional<std::string> expectedToast;
    int expectedDeviceNotices;
};

// Names the row in test output.
void PrintTo(const RescanCase& row, std::ostream* out)
{
    *out << row.name;
}

class InputStudioRescan : public ::testing::TestWithParam<RescanCase> { };

TEST_P(InputStudioRescan, LogsPublishesAndToastsAsTheCaseNeeds)
{
    const auto& row = GetParam();
    StudioHarness h;
    h.addDevice("MX Master 3", 0x046D);
    auto& vm = h.start();
    int deviceNotices = 0;
    QObject::connect(&vm, &InputStudioViewModel::connectedDevicesChanged, [&] { ++deviceNotices; });
    if (row.listChanges) {
        h.addDevice("Touchpad", 0, true);
    }
    h.engine.log.clear();

    vm.refreshDevices(row.showFeedback);

    EXPECT_EQ(h.logLines(), row.expectedLog);
    EXPECT_EQ(vm.toastMessage(), row.expectedToast);
    EXPECT_FALSE(vm.toastIsError());
    EXPECT_EQ(deviceNotices, row.expectedDeviceNotices);
}

INSTANTIATE_TEST_SUITE_P(Cases, InputStudioRescan,
    ::testing::Values(
        RescanCase {"unchangedWithFeedback", false, true,
            {"hid HID hardware snapshot (manual-rescan): 1 device(s) — Logitech MX Master 3 [0x046D : 0xC077]"},
            "Detected 1 pointing devices.", 0},
        RescanCase {"unchangedQuietly", false, false, {}, std::nullopt, 0},
        RescanCase {"changedWithFeedback", true, true,
            {"hid HID hardware snapshot (change): 2 device(s) — Logitech MX Master 3 [0x046D : 0xC077], "
             "Generic HID Touchpad [Built-in]"},
            "Detected 2 pointing devices.", 1},
        RescanCase {"changedQuietly", true, false,
            {"hid HID hardware snapshot (change): 2 device(s) — Logitech MX Master 3 [0x046D : 0xC077], "
             "Generic HID Touchpad [Built-in]"},
            std::nullopt, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InputStudioDevices, NoDevicesAreLoggedAsNone)
{
    StudioHarness h;
    h.devices.setUnavailable();

    auto& vm = h.start();

    EXPECT_TRUE(vm.connectedDevices().empty());
    EXPECT_EQ(h.engine.log.count("HID hardware snapshot (startup): 0 device(s) — none"), 1U);
}

TEST(InputStudioToast, DetectedDevicesToastInBothLanguages)
{
    for (const auto& [language, expected] : {std::pair {TarnLanguage::en, "Detected 1 pointing devices."},
             std::pair {TarnLanguage::tr, "1 işaretçi/fare donanımı tarandı."}}) {
        StudioHarness h;
        h.addDevice("MX Master 3", 0x046D);
        auto& vm = h.start();
        vm.setLanguage(language);

        vm.refreshDevices(true);

        EXPECT_EQ(vm.toastMessage(), expected);
    }
}

TEST(InputStudioToast, ANewToastReplacesTheOldAtOnceAndOnlyTheLastOneClears)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.showToast("first", true);
    h.advance(1s);
    vm.showToast("second", false);
    EXPECT_EQ(vm.toastMessage(), "second");
    EXPECT_FALSE(vm.toastIsError());

    h.advance(2s); // 3 s after the first: its timer would have fired by now
    EXPECT_EQ(vm.toastMessage(), "second");
    h.advance(599ms);
    EXPECT_EQ(vm.toastMessage(), "second");
    h.advance(1ms);
    EXPECT_FALSE(vm.toastMessage());
    EXPECT_FALSE(vm.toastIsError()) << "the error flag stays as the last toast left it";
}

TEST(InputStudioToast, TheErrorFlagOutlivesTheMessage)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.showToast("refused", true);
    h.advance(2600ms);

    EXPECT_FALSE(vm.toastMessage());
    EXPECT_TRUE(vm.toastIsError());
}

} // namespace
} // namespace tarn::input::testing
