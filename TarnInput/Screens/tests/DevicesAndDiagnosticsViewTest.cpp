#include "TarnInput/Screens/Hardware/DevicesAndDiagnosticsView.h"

#include <QCheckBox>
#include <QLabel>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Hardware/MouseDeviceHardwareCard.h"
#include "TarnInput/Screens/Hardware/PollingRateChart.h"
#include "TarnInput/Screens/Widgets/MetricTile.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Text/TarnSymbolLabel.h"

namespace tarn::input::testing {
namespace {

std::vector<MouseDeviceHardwareCard*> deviceCards(const QWidget& screen)
{
    std::vector<MouseDeviceHardwareCard*> cards;
    for (auto* card : screen.findChildren<MouseDeviceHardwareCard*>()) {
        cards.push_back(card);
    }
    return cards;
}

TEST(DevicesAndDiagnosticsView, ListsNoDeviceWithTheEmptyTextAndTwoDevicesAsCardsInBothLanguages)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DevicesAndDiagnosticsView screen(hardware, ScreenFixture::accent());
    auto* title = control<TarnSymbolLabel>(screen, "inventoryTitle");
    auto* empty = control<QLabel>(screen, "emptyInventory");
    auto* grid = control<QWidget>(screen, "deviceGrid");
    EXPECT_EQ(title->text(), "Connected Mice & Trackpad Hardware (0)");
    EXPECT_FALSE(empty->isHidden());
    EXPECT_TRUE(grid->isHidden());
    EXPECT_TRUE(deviceCards(screen).empty());
    control<TarnGlassButton>(screen, "copyReport")->click();
    EXPECT_FALSE(f.harness.pasteboard.text().empty()) << "a report of no devices is still copied";

    f.harness.addDevice("Mouse A", 0x046D);
    f.harness.addDevice("Touchpad", 0, true);
    vm.refreshDevices(false);
    EXPECT_EQ(title->text(), "Connected Mice & Trackpad Hardware (2)");
    EXPECT_TRUE(empty->isHidden());
    EXPECT_FALSE(grid->isHidden());
    ASSERT_EQ(deviceCards(screen).size(), 2U);

    vm.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(title->text(), "Bağlı Fare & Trackpad Donanım Kimliği (2)");
    ASSERT_EQ(deviceCards(screen).size(), 2U);
    EXPECT_EQ(deviceCards(screen)[0]->findChild<QLabel*>("categoryLabel")->text(), "Harici Fare");
    EXPECT_EQ(control<TarnPrimaryButton>(screen, "rescanDevices")->text(), "Yeniden Tara");
    EXPECT_EQ(f.saves(), 0) << "showing values never saves";
}

TEST(DevicesAndDiagnosticsView, EveryButtonOfTheScreenShowsItsOperationsToast)
{
    ScreenFixture f;
    f.harness.addDevice("Mouse A", 0x046D);
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DevicesAndDiagnosticsView screen(hardware, ScreenFixture::accent());

    control<TarnGlassButton>(screen, "copyReport")->click();
    EXPECT_FALSE(f.harness.pasteboard.text().empty());
    control<TarnPrimaryButton>(screen, "rescanDevices")->click();
    control<TarnGlassButton>(screen, "resetDiagnostics")->click();
    control<TarnGlassButton>(screen, "resetLab")->click();

    EXPECT_EQ(f.toasts(),
        (std::vector<RecordedToast> {{"Copied full mouse hardware report to clipboard.", false},
            {"Detected 1 pointing devices.", false}, {"Reset live polling rate & click counters.", false},
            {"Reset cursor travel distance & click lab counters.", false}}));
    EXPECT_EQ(f.saves(), 0);
}

TEST(DevicesAndDiagnosticsView, ResetEmptiesTheChartAtOnce)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DevicesAndDiagnosticsView screen(hardware, ScreenFixture::accent());
    auto* chart = control<PollingRateChart>(screen, "rateChart");
    EXPECT_TRUE(chart->heights().empty());
    EXPECT_EQ(chart->waitingText(), "Waiting for mouse motion...");

    f.harness.slidePointer(600, 60);
    ASSERT_FALSE(vm.hzHistory().empty());
    EXPECT_EQ(chart->heights(), PollingRateChart::barHeights(vm.hzHistory(), vm.telemetry().peakHz));
    EXPECT_EQ(control<MetricTile>(screen, "liveHz")->value(), QString::number(vm.telemetry().currentHz));

    control<TarnGlassButton>(screen, "resetDiagnostics")->click();
    EXPECT_TRUE(chart->heights().empty());
}

struct ChartCase {
    const char* name;
    std::vector<std::int64_t> history;
    std::int64_t peakHz;
    std::vector<double> heights;
};

class PollingRateChartHeights : public ::testing::TestWithParam<ChartCase> { };

TEST_P(PollingRateChartHeights, FollowTheScaleAndTheShortBarRule)
{
    const auto& row = GetParam();
    const auto heights = PollingRateChart::barHeights(row.history, row.peakHz);
    ASSERT_EQ(heights.size(), row.heights.size());
    for (std::size_t index = 0; index < heights.size(); ++index) {
        EXPECT_NEAR(heights[index], row.heights[index], 1e-9) << "bar " << index;
    }
}

std::vector<std::int64_t> rising(std::int64_t count)
{
    std::vector<std::int64_t> rates;
    for (std::int64_t rate = 1; rate <= count; ++rate) {
        rates.push_back(rate * 10);
    }
    return rates;
}

INSTANTIATE_TEST_SUITE_P(Table, PollingRateChartHeights,
    ::testing::Values(ChartCase {"empty", {}, 500, {}}, ChartCase {"peakZeroScalesTo125", {125, 250}, 0, {44, 44}},
        ChartCase {"peak125", {125, 62}, 125, {44, 62.0 / 125 * 44}},
        ChartCase {"peak1000", {500, 80, 10, 1000, 1500}, 1000, {22, 3.52, 3.52, 44, 44}},
        ChartCase {"justAboveTheShortRatio", {81}, 1000, {81.0 / 1000 * 44}},
        // 40 entries of 10..400 Hz: only the newest 32 (90..400) are drawn, oldest on the left.
        ChartCase {"newest32", rising(40), 400,
            [] {
                std::vector<double> heights;
                for (std::int64_t rate = 90; rate <= 400; rate += 10) {
                    const double ratio = static_cast<double>(rate) / 400;
                    heights.push_back(ratio <= 0.08 ? 3.52 : ratio * 44);
                }
                return heights;
            }()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DevicesAndDiagnosticsView, DebounceSliderShowsTheStoredValueAndSavesOnlyWhatTheUserMoves)
{
    ScreenFixture f;
    InputSettings stored;
    stored.doubleClickGuardThresholdMs = 200;
    f.harness.writeSettingsFile(stored);
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DevicesAndDiagnosticsView screen(hardware, ScreenFixture::accent());
    auto* slider = control<ContinuousSlider>(screen, "debounceSlider");
    auto* value = control<QLabel>(screen, "debounceValue");
    EXPECT_EQ(value->text(), "200 ms") << "an out-of-range stored value is shown as stored";
    EXPECT_DOUBLE_EQ(slider->knobValue(), 90);
    EXPECT_EQ(f.saves(), 0);

    slider->moveKnobTo(35.5);
    slider->moveKnobTo(60);
    EXPECT_EQ(f.saves(), 2);
    EXPECT_NEAR(f.harness.storedSettings().doubleClickGuardThresholdMs, 60, 0.01);
    EXPECT_EQ(value->text(), "60 ms");
    EXPECT_TRUE(f.toasts().empty());

    // Switching the guard off keeps the slider usable.
    auto* guard = control<SwitchToggle>(screen, "doubleClickGuard");
    guard->click();
    EXPECT_TRUE(vm.settings().doubleClickGuardEnabled);
    guard->click();
    EXPECT_FALSE(f.harness.storedSettings().doubleClickGuardEnabled);
    EXPECT_TRUE(slider->isEnabled());
    EXPECT_EQ(f.saves(), 4);
}

TEST(DevicesAndDiagnosticsView, ChangesMadeElsewhereShowWithoutSaving)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DevicesAndDiagnosticsView screen(hardware, ScreenFixture::accent());
    vm.applySettingsChange([](InputSettings& settings) {
        settings.doubleClickGuardEnabled = true;
        settings.easyWindowDragEnabled = false;
        settings.doubleClickGuardThresholdMs = 35.5;
    });
    EXPECT_EQ(f.saves(), 1) << "only the change itself";
    EXPECT_TRUE(control<SwitchToggle>(screen, "doubleClickGuard")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(screen, "easyWindowDrag")->isChecked());
    EXPECT_EQ(control<QLabel>(screen, "debounceValue")->text(), "36 ms");
}

TEST(DevicesAndDiagnosticsView, WindowDragToggleWritesItsFieldWithoutAToast)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DevicesAndDiagnosticsView screen(hardware, ScreenFixture::accent());
    control<QCheckBox>(screen, "easyWindowDrag")->click();
    EXPECT_FALSE(f.harness.storedSettings().easyWindowDragEnabled);
    EXPECT_EQ(f.saves(), 1);
    EXPECT_TRUE(f.toasts().empty());
}

TEST(DevicesAndDiagnosticsView, AccelerationToggleCallsTheOperationOnceAndShowsItsToast)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DevicesAndDiagnosticsView screen(hardware, ScreenFixture::accent());
    auto* toggle = control<QCheckBox>(screen, "disableAcceleration");
    // "&&" is how a Qt button shows one "&".
    EXPECT_EQ(toggle->text(), "Disable Mouse Acceleration (Linear 1:1 Tracking for Gaming && Design)");
    f.harness.journal.clear();

    toggle->click();

    int writes = 0;
    for (const auto& entry : f.harness.journal.entries()) {
        writes += entry == "prefs.setLinear true" ? 1 : 0;
    }
    EXPECT_EQ(writes, 1);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(f.harness.storedSettings().disableMouseAcceleration);
    EXPECT_EQ(f.saves(), 1);
    EXPECT_EQ(f.toasts(), (std::vector<RecordedToast> {{"Disabled mouse acceleration (Linear 1:1 tracking).", false}}));
}

TEST(DevicesAndDiagnosticsView, RefusedAccelerationChangeShowsAnErrorAndTheSystemsRealState)
{
    ScreenFixture f;
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DevicesAndDiagnosticsView screen(hardware, ScreenFixture::accent());
    auto* toggle = control<QCheckBox>(screen, "disableAcceleration");
    f.harness.preferences.setSynchronizeFails(true);

    toggle->click();

    const bool actual = PointerAccelerationBridge(f.harness.preferences).isAccelerationDisabled();
    EXPECT_EQ(toggle->isChecked(), actual);
    EXPECT_EQ(vm.settings().disableMouseAcceleration, actual);
    EXPECT_EQ(f.toasts(), (std::vector<RecordedToast> {{"Pointer acceleration could not be changed.", true}}));
}

TEST(DevicesAndDiagnosticsView, ValueTextsAreLocaleFreeWholeNumbers)
{
    const std::vector<std::pair<double, QString>> thresholds {
        {45, "45 ms"}, {35.5, "36 ms"}, {35.49, "35 ms"}, {-0.5, "-1 ms"}, {20, "20 ms"}};
    for (const auto& [value, expected] : thresholds) {
        EXPECT_EQ(DevicesAndDiagnosticsView::thresholdText(value), expected) << value;
    }
    EXPECT_EQ(DevicesAndDiagnosticsView::clickIntervalText(std::nullopt), "—");
    EXPECT_EQ(DevicesAndDiagnosticsView::clickIntervalText(8.4), "8 ms");
    EXPECT_EQ(DevicesAndDiagnosticsView::clickIntervalText(8.5), "9 ms");
    EXPECT_EQ(DevicesAndDiagnosticsView::clickIntervalText(1234.0), "1234 ms") << "no digit grouping";
}

void press(StudioHarness& harness, TapEventType type, std::chrono::milliseconds after)
{
    harness.engine.clock.advance(after);
    TapEvent event;
    event.type = type;
    harness.engine.tap.deliver(event);
}

TEST(DevicesAndDiagnosticsView, SwitchHealthTilesFollowClicksAndTheFirstBlockedBounce)
{
    ScreenFixture f;
    InputSettings stored;
    stored.doubleClickGuardEnabled = true;
    f.harness.writeSettingsFile(stored);
    auto& vm = f.start();
    HardwareViewModel hardware(vm, vm, vm);
    DevicesAndDiagnosticsView screen(hardware, ScreenFixture::accent());
    auto* interval = control<MetricTile>(screen, "clickInterval");
    auto* bounces = control<MetricTile>(screen, "bouncesFixed");
    auto* lastButton = control<MetricTile>(screen, "lastButton");
    EXPECT_EQ(lastButton->minimumHeight(), control<MetricTile>(screen, "bouncesFixed")->sizeHint().height())
        << "as tall as its neighbours";
    EXPECT_EQ(interval->value(), "—");
    EXPECT_EQ(bounces->value(), "0");
    EXPECT_FALSE(bounces->isHighlighted());
    EXPECT_TRUE(control<MetricTile>(screen, "liveHz")->isHighlighted());

    // A press, then a bounce 10 ms after its release: the guard swallows the second press.
    press(f.harness, TapEventType::leftMouseDown, std::chrono::milliseconds(10));
    press(f.harness, TapEventType::leftMouseUp, std::chrono::milliseconds(30));
    press(f.harness, TapEventType::leftMouseDown, std::chrono::milliseconds(10));
    press(f.harness, TapEventType::leftMouseUp, std::chrono::milliseconds(10));
    f.harness.slidePointer(300, 30);

    ASSERT_GT(vm.telemetry().blockedDoubleClicks, 0);
    EXPECT_EQ(bounces->value(), QString::number(vm.telemetry().blockedDoubleClicks));
    EXPECT_TRUE(bounces->isHighlighted());
    EXPECT_EQ(lastButton->value(), QString::fromStdString(vm.telemetry().lastButtonLabel));
    EXPECT_EQ(interval->value(), DevicesAndDiagnosticsView::clickIntervalText(vm.telemetry().lastClickIntervalMs));
}

} // namespace
} // namespace tarn::input::testing
