#pragma once

// The studio's Hardware tab: the connected pointing devices (with the hardware report and a
// rescan), the live polling rate with its chart, the double-click guard, the DPI calibration lab
// and the two system-wide pointer switches. It keeps no state: its widgets are built once and
// show the view model's published values, updated in place on each change signal. Controls
// write only when the user acts on them.
// The view model must outlive it; build it on the main thread.

#include <optional>

#include <QColor>

#include "TarnInput/Screens/Widgets/ScreenPage.h"

class QCheckBox;
class QLabel;

namespace tarn {
class TarnCardHeader;
class TarnGlassButton;
class TarnPrimaryButton;
} // namespace tarn

namespace tarn::input {

class AdaptiveGridLayout;
class ContinuousSlider;
class DPICalibrationLabCard;
class HardwareViewModel;
class MetricTile;
class PollingRateChart;
class SwitchToggle;

class DevicesAndDiagnosticsView : public ScreenPage {
    Q_OBJECT

public:
    DevicesAndDiagnosticsView(HardwareViewModel& viewModel, QColor accent, QWidget* parent = nullptr);

    // "%lld ms" of the debounce threshold, rounded.
    static QString thresholdText(double thresholdMs);
    // The last click interval rounded and " ms", or "—" before the first one.
    static QString clickIntervalText(const std::optional<double>& intervalMs);

private:
    QWidget* buildInventoryCard();
    QWidget* buildPollingCard();
    QWidget* buildSwitchHealthCard();
    QWidget* buildPointerCard();
    void syncTexts();
    void syncDevices();
    void syncTelemetry();
    void syncSettings();

    HardwareViewModel& m_viewModel;
    QColor m_accent;

    TarnCardHeader* m_inventoryTitle = nullptr;
    TarnGlassButton* m_copyReport = nullptr;
    TarnPrimaryButton* m_rescan = nullptr;
    QLabel* m_emptyInventory = nullptr;
    QWidget* m_deviceGrid = nullptr;
    AdaptiveGridLayout* m_deviceLayout = nullptr;

    TarnCardHeader* m_pollingTitle = nullptr;
    TarnGlassButton* m_resetPolling = nullptr;
    QLabel* m_pollingExplanation = nullptr;
    MetricTile* m_liveHz = nullptr;
    MetricTile* m_peakHz = nullptr;
    MetricTile* m_averageHz = nullptr;
    PollingRateChart* m_chart = nullptr;

    TarnCardHeader* m_healthTitle = nullptr;
    SwitchToggle* m_guardSwitch = nullptr;
    QLabel* m_healthExplanation = nullptr;
    QLabel* m_debounceCaption = nullptr;
    ContinuousSlider* m_debounceSlider = nullptr;
    QLabel* m_debounceValue = nullptr;
    MetricTile* m_lastButton = nullptr;
    MetricTile* m_clickInterval = nullptr;
    MetricTile* m_bouncesFixed = nullptr;

    DPICalibrationLabCard* m_lab = nullptr;

    TarnCardHeader* m_pointerTitle = nullptr;
    QCheckBox* m_accelerationToggle = nullptr;
    QCheckBox* m_windowDragToggle = nullptr;
};

} // namespace tarn::input
