#include "TarnInput/Screens/GestureChordsAndDevicesView.h"

#include <QLabel>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"

namespace tarn::input::testing {
namespace {

QList<QWidget*> deviceRows(const QWidget& screen)
{
    return screen.findChildren<QWidget*>(QRegularExpression("^device:"));
}

int changeLogLines(const ScreenFixture& f)
{
    int count = 0;
    for (const auto& line : f.harness.logLines()) {
        count += line.find("HID hardware snapshot (change)") != std::string::npos ? 1 : 0;
    }
    return count;
}

TEST(GestureChordsAndDevicesView, ThresholdTextDropsTheFraction)
{
    const std::vector<std::pair<double, QString>> rows {
        {46, "46 px"}, {24.9, "24 px"}, {110, "110 px"}, {200, "200 px"}, {-3.7, "-3 px"}};
    for (const auto& [points, text] : rows) {
        EXPECT_EQ(GestureChordsAndDevicesView::thresholdText(points), text) << points;
    }
    EXPECT_EQ(GestureChordsAndDevicesView::thresholdText(1e300).size(), 304);
}

TEST(GestureChordsAndDevicesView, ControlsWriteTheirFieldOncePerUserChange)
{
    ScreenFixture f;
    InputSettings stored;
    stored.gestureThresholdPoints = 200;
    f.harness.writeSettingsFile(stored);
    auto& vm = f.start();
    ButtonsViewModel buttons(vm, vm, vm);
    GestureChordsAndDevicesView screen(buttons, ScreenFixture::accent());
    EXPECT_EQ(control<QLabel>(screen, "gestureThresholdValue")->text(), "200 px") << "shown as stored";
    auto* trigger = control<QComboBox>(screen, "gestureTrigger");
    EXPECT_EQ(
        entries(*trigger), (QStringList {"Middle Click (Wheel)", "Side Button 4 (Back)", "Side Button 5 (Forward)"}));
    EXPECT_EQ(control<QComboBox>(screen, "gestureDown")->currentText(), "Show Applications (Super+A)");
    EXPECT_EQ(control<QComboBox>(screen, "gestureRight")->count(), 14);
    EXPECT_EQ(f.saves(), 0);

    control<SwitchToggle>(screen, "gestureChords")->click();
    choose(*trigger, 2);
    for (const char* direction : {"gestureUp", "gestureDown", "gestureLeft", "gestureRight"}) {
        choose(*control<QComboBox>(screen, direction), 0);
    }
    // The knob moves in whole points, as the value text shows them.
    control<ContinuousSlider>(screen, "gestureThresholdSlider")->moveKnobTo(24.9);
    EXPECT_EQ(f.saves(), 7);
    const auto saved = f.harness.storedSettings();
    EXPECT_FALSE(saved.gestureChordsEnabled);
    EXPECT_EQ(saved.gestureTriggerButton, MouseButtonKind::sideForward);
    for (const auto direction :
        {saved.gestureUpAction, saved.gestureDownAction, saved.gestureLeftAction, saved.gestureRightAction}) {
        EXPECT_EQ(direction, MouseButtonAction::passthrough);
    }
    EXPECT_EQ(saved.gestureThresholdPoints, 25);
    EXPECT_EQ(control<QLabel>(screen, "gestureThresholdValue")->text(), "25 px");
    EXPECT_TRUE(trigger->isEnabled()) << "gestures off leaves the card usable";
    EXPECT_TRUE(f.toasts().empty());

    vm.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(trigger->currentText(), "Yan Tuş 5 (İleri)");
    EXPECT_EQ(control<QComboBox>(screen, "gestureUp")->currentText(), "Sistem Varsayılanı");
    EXPECT_EQ(f.saves(), 7);
}

TEST(GestureChordsAndDevicesView, RescanPublishesAndLogsOnlyAChangedListAndNeverToasts)
{
    ScreenFixture f;
    f.harness.addDevice("Mouse A", 0x046D);
    auto& vm = f.start();
    ButtonsViewModel buttons(vm, vm, vm);
    GestureChordsAndDevicesView screen(buttons, ScreenFixture::accent());
    ASSERT_EQ(deviceRows(screen).size(), 1);
    auto* rescan = control<TarnGlassButton>(screen, "rescanDevices");
    int published = 0;
    QObject::connect(&vm, &InputStudioViewModel::connectedDevicesChanged, [&] { ++published; });

    rescan->click();
    EXPECT_EQ(published, 0);
    EXPECT_EQ(changeLogLines(f), 0);

    f.harness.addDevice("Mouse B", 0x1532);
    rescan->click();
    EXPECT_EQ(published, 1);
    EXPECT_EQ(changeLogLines(f), 1);
    EXPECT_EQ(deviceRows(screen).size(), 2);
    EXPECT_TRUE(control<QLabel>(screen, "emptyDevices")->isHidden());
    EXPECT_TRUE(f.toasts().empty());
    EXPECT_EQ(f.saves(), 0);
}

TEST(GestureChordsAndDevicesView, EmptyListShowsOnlyTheEmptyText)
{
    ScreenFixture f;
    auto& vm = f.start();
    ButtonsViewModel buttons(vm, vm, vm);
    GestureChordsAndDevicesView screen(buttons, ScreenFixture::accent());
    EXPECT_TRUE(deviceRows(screen).isEmpty());
    EXPECT_FALSE(control<QLabel>(screen, "emptyDevices")->isHidden());
    EXPECT_EQ(control<QLabel>(screen, "emptyDevices")->text(), "No external HID mice reported yet.");
    EXPECT_TRUE(control<TarnGlassButton>(screen, "rescanDevices")->isEnabled());
}

TEST(GestureChordsAndDevicesView, DeviceDetailShowsTheBatteryOnlyWhenReported)
{
    ConnectedPointerDevice device;
    device.vendorID = 0x1234;
    device.productID = 0x5678;
    device.transport = "Bluetooth Low Energy";
    EXPECT_EQ(GestureChordsAndDevicesView::deviceDetailText(device), "Bluetooth LE · 0x1234 : 0x5678");
    device.batteryPercent = 85;
    EXPECT_EQ(GestureChordsAndDevicesView::deviceDetailText(device), "Bluetooth LE · 0x1234 : 0x5678 · 🔋 85%");
    device.batteryPercent = 0;
    EXPECT_EQ(GestureChordsAndDevicesView::deviceDetailText(device), "Bluetooth LE · 0x1234 : 0x5678 · 🔋 0%");
}

} // namespace
} // namespace tarn::input::testing
