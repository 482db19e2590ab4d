#include "TarnInput/Screens/tests/ScreenFixture.h"

#include <gtest/gtest.h>

namespace tarn::input::testing {

TEST(ScreenFixture, CountsEverySaveOfTheSettingsFileAndRecordsEveryToast)
{
    ScreenFixture f;
    auto& vm = f.start();
    EXPECT_EQ(f.saves(), 0);
    vm.applySettingsChange([](InputSettings& settings) { settings.reverseTrackpad = true; });
    vm.applySettingsChange([](InputSettings& settings) { settings.reverseTrackpad = true; });
    EXPECT_EQ(f.saves(), 2);
    f.forgetSaves();
    EXPECT_EQ(f.saves(), 0);

    vm.copyHardwareReport();
    vm.showToast("Failed.", true);
    EXPECT_EQ(f.toasts(),
        (std::vector<RecordedToast> {{"Copied full mouse hardware report to clipboard.", false}, {"Failed.", true}}));
    EXPECT_EQ(f.saves(), 0) << "a toast alone saves nothing";
}

} // namespace tarn::input::testing
