#include "TarnInput/Screens/Hardware/DPICalibrationLabCard.h"

#include <QLabel>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Widgets/MetricTile.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"

namespace tarn::input::testing {
namespace {

TEST(DPICalibrationLabCard, FormattedPixelsSwitchesUnitsAtAThousandAndAMillion)
{
    const std::vector<std::pair<double, QString>> rows {{0, "0 px"}, {512.4, "512 px"}, {999.49, "999 px"},
        {999.5, "1000 px"}, {999.99, "1000 px"}, {1000, "1.0k px"}, {12345, "12.3k px"}, {999999, "1000.0k px"},
        {1000000, "1.00M px"}, {1234567, "1.23M px"}, {123456789012.0, "123456.79M px"}};
    for (const auto& [pixels, text] : rows) {
        EXPECT_EQ(DPICalibrationLabCard::formattedPixels(pixels), text) << pixels;
    }
}

TEST(DPICalibrationLabCard, DistanceSpanAndPresetSelection)
{
    PointerCalibrationSnapshot cal;
    cal.sessionDistanceMeters = 0.9999;
    cal.sessionDistanceCm = 99.99;
    EXPECT_EQ(DPICalibrationLabCard::distanceText(cal), "100.0 cm");
    cal.sessionDistanceMeters = 1;
    EXPECT_EQ(DPICalibrationLabCard::distanceText(cal), "1.00 m");

    cal.nominalDPI = 1600;
    cal.calibrationDeltaPixels = 630;
    EXPECT_NEAR(DPICalibrationLabCard::estimatedSpanCm(cal), 1.0001, 1e-3);
    for (const double pixels : {0.0, -5.0, std::nan("")}) {
        cal.calibrationDeltaPixels = pixels;
        EXPECT_EQ(DPICalibrationLabCard::estimatedSpanCm(cal), 0) << pixels;
    }
    cal.calibrationDeltaPixels = 630;
    cal.nominalDPI = 0;
    EXPECT_EQ(DPICalibrationLabCard::estimatedSpanCm(cal), 0);

    const std::vector<std::tuple<double, double, bool>> selection {{1600, 1600, true}, {1600, 1600.99, true},
        {1600, 1599.01, true}, {1600, 1601, false}, {1600, 1599, false}, {800, 1000, false}, {1200, 1000, false}};
    for (const auto& [preset, nominal, selected] : selection) {
        EXPECT_EQ(DPICalibrationLabCard::isPresetSelected(preset, nominal), selected) << preset << " " << nominal;
    }
}

TEST(DPICalibrationLabCard, PresetChipsSelectByTheSnapshotAndSetTheNominalDPI)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DPICalibrationLabCard card(hardware, ScreenFixture::accent());
    EXPECT_TRUE(control<QWidget>(card, "dpiPreset1600")->property("selected").toBool());
    EXPECT_FALSE(control<QWidget>(card, "dpiPreset800")->property("selected").toBool());
    EXPECT_EQ(control<QLabel>(card, "nominalDPI")->text(), "1600 DPI");

    control<QAbstractButton>(card, "dpiPreset2400")->click();
    EXPECT_EQ(f.harness.storedSettings().nominalPointerDPI, 2400);
    EXPECT_EQ(f.saves(), 1);
    // The card follows the engine's next report, which the reset of the lab brings at once.
    f.harness.interceptor().resetCalibrationSession();
    f.harness.runMainThread();
    EXPECT_TRUE(control<QWidget>(card, "dpiPreset2400")->property("selected").toBool());
    EXPECT_FALSE(control<QWidget>(card, "dpiPreset1600")->property("selected").toBool());
    EXPECT_EQ(control<QLabel>(card, "nominalDPI")->text(), "2400 DPI");
}

TEST(DPICalibrationLabCard, StartSnapshotStopApplyWalksThroughTheThreeSituations)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DPICalibrationLabCard card(hardware, ScreenFixture::accent());
    auto* startStop = control<TarnPrimaryButton>(card, "startStopCalibration");
    auto* apply = control<TarnGlassButton>(card, "applyMeasuredDPI");
    auto* badge = control<QWidget>(card, "calibratingBadge");
    auto* effective = control<MetricTile>(card, "effectiveDPI");
    auto* displacement = control<MetricTile>(card, "dragDisplacement");
    EXPECT_EQ(startStop->text(), "Start 10 cm Test");
    EXPECT_TRUE(badge->isHidden());
    EXPECT_TRUE(apply->isHidden());
    EXPECT_EQ(effective->value(), "—");

    startStop->click();
    f.harness.runMainThread();
    EXPECT_EQ(startStop->text(), "Stop & Calculate");
    EXPECT_FALSE(badge->isHidden());
    EXPECT_TRUE(displacement->isHighlighted());
    EXPECT_EQ(control<QLabel>(card, "instruction")->text(),
        "Move your mouse in a straight 10 cm line on your mousepad, then click Stop & Calculate.");

    // 10 cm at 1600 DPI is 6299.2 pixels; move 4000 pixels to measure about 1016 DPI.
    f.harness.slidePointer(4000, 40);
    f.harness.advance(std::chrono::milliseconds(100));
    f.harness.slidePointer(1, 1);
    EXPECT_EQ(displacement->value(), roundedText(vm.calibration().calibrationDeltaPixels) + " px");
    EXPECT_NE(displacement->value(), "0 px");

    startStop->click();
    f.harness.runMainThread();
    ASSERT_TRUE(vm.calibration().measuredEffectiveDPI.has_value());
    const auto measured = *vm.calibration().measuredEffectiveDPI;
    EXPECT_EQ(startStop->text(), "Start 10 cm Test");
    EXPECT_TRUE(badge->isHidden());
    EXPECT_FALSE(apply->isHidden());
    EXPECT_EQ(apply->text(), QStringLiteral("Apply %1 DPI").arg(measured));
    EXPECT_EQ(effective->value(), QStringLiteral("%1 DPI").arg(measured));
    EXPECT_TRUE(effective->isHighlighted());
    vm.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(apply->text(), QStringLiteral("%1 DPI Uygula").arg(measured));
    vm.setLanguage(TarnLanguage::en);

    f.forgetToasts();
    apply->click();
    EXPECT_EQ(f.harness.storedSettings().nominalPointerDPI, static_cast<double>(measured));
    EXPECT_EQ(f.toasts(),
        (std::vector<RecordedToast> {{fmt::format("Applied {} DPI as nominal mouse DPI.", measured), false}}));

    control<TarnGlassButton>(card, "resetLab")->click();
    f.harness.runMainThread();
    EXPECT_TRUE(apply->isHidden());
    EXPECT_EQ(effective->value(), "—");
    EXPECT_EQ(f.toasts().back(), (RecordedToast {"Reset cursor travel distance & click lab counters.", false}));
}

TEST(DPICalibrationLabCard, AMeasurementBelowOneHundredDPIIsNotOfferedForApplying)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DPICalibrationLabCard card(hardware, ScreenFixture::accent());
    auto* startStop = control<TarnPrimaryButton>(card, "startStopCalibration");
    startStop->click();
    f.harness.runMainThread();
    f.harness.slidePointer(100, 10);
    startStop->click();
    f.harness.runMainThread();
    ASSERT_TRUE(vm.calibration().measuredEffectiveDPI.has_value());
    ASSERT_LT(*vm.calibration().measuredEffectiveDPI, 100);
    EXPECT_TRUE(control<TarnGlassButton>(card, "applyMeasuredDPI")->isHidden());
    EXPECT_EQ(control<MetricTile>(card, "effectiveDPI")->value(),
        QStringLiteral("%1 DPI").arg(*vm.calibration().measuredEffectiveDPI));
}

TEST(DPICalibrationLabCard, SessionTilesFollowTheSnapshot)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DPICalibrationLabCard card(hardware, ScreenFixture::accent());
    f.harness.slidePointer(1500, 15);
    const auto& cal = vm.calibration();
    EXPECT_EQ(control<MetricTile>(card, "cursorPixels")->value(),
        DPICalibrationLabCard::formattedPixels(cal.sessionPixelsTraveled));
    EXPECT_EQ(control<MetricTile>(card, "distanceTraveled")->value(), DPICalibrationLabCard::distanceText(cal));
    EXPECT_TRUE(control<MetricTile>(card, "distanceTraveled")->isHighlighted());
    EXPECT_FALSE(control<MetricTile>(card, "ghostBounces")->isHighlighted());
    EXPECT_EQ(control<MetricTile>(card, "sessionClicks")->value(), "0");
}

} // namespace
} // namespace tarn::input::testing
