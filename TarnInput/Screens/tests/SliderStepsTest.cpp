// Every slider of the screens that sets a real-valued setting stores exactly the value its text
// shows: dragged anywhere, the settings file holds 1.65 where the text reads 1.65×, never 1.6499
// or 1.6199.

#include <functional>
#include <memory>
#include <random>
#include <string>

#include <QCheckBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSlider>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/GestureChordsAndDevicesView.h"
#include "TarnInput/Screens/Hardware/DevicesAndDiagnosticsView.h"
#include "TarnInput/Screens/KeyHUDConfigView.h"
#include "TarnInput/Screens/Profiles/AppProfileEditorCard.h"
#include "TarnInput/Screens/Profiles/ProfilesAndMacrosView.h"
#include "TarnInput/Screens/ScreenOverViewModel.h"
#include "TarnInput/Screens/ScrollEngineView.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/KeyHUDViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"

namespace tarn::input::testing {
namespace {

struct SliderCase {
    const char* slider;
    const char* valueText;
    std::function<QWidget*(InputStudioViewModel&)> makeScreen;
    std::function<double(const InputSettings&)> stored;
    // What the value text stands for, from the number it shows.
    double (*shownValue)(double number);
};

double asShown(double number)
{
    return number;
}

double percent(double number)
{
    return number / 100;
}

// The number at the start of a value text ("1.65×", "22%", "45 ms", "1.6s").
double numberIn(const QString& text)
{
    const auto match = QRegularExpression("^-?[0-9]+(\\.[0-9]+)?").match(text);
    EXPECT_TRUE(match.hasMatch()) << text.toStdString();
    return std::stod(match.captured().toStdString());
}

TEST(SliderSteps, WhatASliderStoresIsWhatItsTextShows)
{
    const std::vector<SliderCase> cases {
        {"speedSlider", "speedValue",
            [](InputStudioViewModel& vm) {
                return screenOverViewModel<ScrollEngineView>(std::make_unique<ScrollViewModel>(vm, vm), {});
            },
            [](const InputSettings& settings) { return settings.scrollSpeedMultiplier; }, asShown},
        {"glideSlider", "glideValue",
            [](InputStudioViewModel& vm) {
                return screenOverViewModel<ScrollEngineView>(std::make_unique<ScrollViewModel>(vm, vm), {});
            },
            [](const InputSettings& settings) { return settings.smoothDecayRate; }, percent},
        {"speedSlider", "speedValue",
            [](InputStudioViewModel& vm) {
                vm.applySettingsChange([](InputSettings& settings) {
                    AppInputProfile profile;
                    profile.id = Uuid::random();
                    profile.bundleIdentifier = "org.gimp.GIMP";
                    profile.appName = "GIMP";
                    profile.scrollSpeedMultiplierOverride = 1.35;
                    settings.appProfiles = {profile};
                });
                return screenOverViewModel<ProfilesAndMacrosView>(
                    std::make_unique<ProfilesViewModel>(vm, vm, vm, vm), {});
            },
            [](const InputSettings& settings) { return *settings.appProfiles.at(0).scrollSpeedMultiplierOverride; },
            asShown},
        {"debounceSlider", "debounceValue",
            [](InputStudioViewModel& vm) {
                return screenOverViewModel<DevicesAndDiagnosticsView>(
                    std::make_unique<HardwareViewModel>(vm, vm, vm), {});
            },
            [](const InputSettings& settings) { return settings.doubleClickGuardThresholdMs; }, asShown},
        {"gestureThresholdSlider", "gestureThresholdValue",
            [](InputStudioViewModel& vm) {
                return screenOverViewModel<GestureChordsAndDevicesView>(
                    std::make_unique<ButtonsViewModel>(vm, vm, vm), {});
            },
            [](const InputSettings& settings) { return settings.gestureThresholdPoints; }, asShown},
        {"keyHUDDurationSlider", "keyHUDDurationValue",
            [](InputStudioViewModel& vm) {
                return screenOverViewModel<KeyHUDConfigView>(std::make_unique<KeyHUDViewModel>(vm, vm), {});
            },
            [](const InputSettings& settings) { return settings.keyHUDDurationSeconds; }, asShown},
    };
    std::mt19937 random(20260114);
    for (const auto& c : cases) {
        ScreenFixture f;
        auto& vm = f.start();
        const std::unique_ptr<QWidget> screen(c.makeScreen(vm));
        auto* track = control<ContinuousSlider>(*screen, c.slider)->findChild<QSlider*>("slider");
        ASSERT_NE(track, nullptr) << c.slider;
        std::uniform_int_distribution<int> position(track->minimum(), track->maximum());
        for (int drag = 0; drag < 40; ++drag) {
            track->setValue(position(random));
            const auto shown = control<QLabel>(*screen, c.valueText)->text();
            EXPECT_EQ(c.stored(f.harness.storedSettings()), c.shownValue(numberIn(shown)))
                << c.slider << " shows " << shown.toStdString();
        }
    }
}

} // namespace
} // namespace tarn::input::testing
