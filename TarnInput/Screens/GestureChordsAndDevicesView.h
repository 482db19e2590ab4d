#pragma once

// The studio's Gestures tab: the hold-button drag gestures (switch, trigger button, the action of
// each direction, the dead zone) and the list of connected pointing devices with a silent rescan.
// Widgets are built once and show the view model's values, updated in place on each change; only
// the user's actions write.
// The view model must outlive it; build it on the main thread.

#include <array>

#include <QColor>

#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnInputCore/Model/Pointer/ConnectedPointerDevice.h"

class QComboBox;
class QLabel;
class QVBoxLayout;

namespace tarn {
class TarnCardHeader;
class TarnGlassButton;
} // namespace tarn

namespace tarn::input {

class ContinuousSlider;
class ButtonsViewModel;
class SwitchToggle;
class SymbolLabel;

class GestureChordsAndDevicesView : public ScreenPage {
    Q_OBJECT

public:
    GestureChordsAndDevicesView(ButtonsViewModel& viewModel, QColor accent, QWidget* parent = nullptr);

    // The dead zone with its fraction dropped and " px"; any stored double draws.
    static QString thresholdText(double points);
    // "<connection> · <VID : PID>", and " · 🔋 <n>%" when the device reports a battery.
    static QString deviceDetailText(const ConnectedPointerDevice& device);

private:
    QWidget* buildGestureCard();
    QWidget* buildDeviceCard();
    void syncTexts();
    void alignPickerColumn();
    void syncSettings();
    void syncDevices();

    ButtonsViewModel& m_viewModel;
    QColor m_accent;

    TarnCardHeader* m_gestureTitle = nullptr;
    SwitchToggle* m_gestureSwitch = nullptr;
    QLabel* m_explanation = nullptr;
    QLabel* m_triggerCaption = nullptr;
    QComboBox* m_triggerPicker = nullptr;
    std::array<SymbolLabel*, 4> m_directionLabels {};
    std::array<QComboBox*, 4> m_directionPickers {};
    QLabel* m_thresholdCaption = nullptr;
    ContinuousSlider* m_thresholdSlider = nullptr;
    QLabel* m_thresholdValue = nullptr;

    TarnCardHeader* m_deviceTitle = nullptr;
    TarnGlassButton* m_rescan = nullptr;
    QLabel* m_emptyDevices = nullptr;
    QVBoxLayout* m_deviceRows = nullptr;
};

} // namespace tarn::input
