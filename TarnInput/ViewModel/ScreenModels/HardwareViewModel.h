#pragma once

// The Hardware screen's view model, for the device list, the live polling rate, the click health
// and pointer switches and the DPI calibration lab: what they show and one typed operation each.
// Settings changes go through the settings path it is given; the lab's measurements go to the
// engine. The context, the devices and the operations must outlive it; main thread only.

#include <cstdint>
#include <vector>

#include <QObject>

#include "TarnInput/ViewModel/Ports/DeviceList.h"
#include "TarnInput/ViewModel/Ports/HardwareOperations.h"
#include "TarnInput/ViewModel/Ports/ScreenModelContext.h"

namespace tarn::input {

class HardwareViewModel final : public QObject {
    Q_OBJECT

public:
    HardwareViewModel(
        ScreenModelContext& context, DeviceList& devices, HardwareOperations& operations, QObject* parent = nullptr);

    TarnLanguage language() const;
    const InputSettings& settings() const;
    const std::vector<ConnectedPointerDevice>& connectedDevices() const;
    const PointerTelemetrySnapshot& telemetry() const;
    // The newest positive polling rates, oldest first.
    const std::vector<std::int64_t>& hzHistory() const;
    const PointerCalibrationSnapshot& calibration() const;

    // Lists the devices again, and says how many it found.
    void rescanDevices();
    void copyHardwareReport();
    void resetDiagnostics();
    void setDoubleClickGuard(bool enabled);
    void setDoubleClickThresholdMs(double milliseconds);
    void setEasyWindowDrag(bool enabled);
    // Asks the desktop first; the switch shows what the desktop then has.
    void setDisableMouseAcceleration(bool disabled);
    // Not finite → 1600, otherwise held within 100…32000.
    void setNominalDPI(double dpi);
    // Starts or stops the guided measurement, by the last published calibration state.
    void toggleDPICalibration();
    void applyMeasuredDPI();
    // Sets the lab's travelled distance and click counters back to zero.
    void resetCalibrationLab();

signals:
    void languageChanged();
    void settingsChanged();
    void connectedDevicesChanged();
    void telemetryChanged();
    void hzHistoryChanged();
    void calibrationChanged();

private:
    ScreenModelContext& m_context;
    DeviceList& m_devices;
    HardwareOperations& m_operations;
    Subscription m_languageChanges;
    Subscription m_settingsChanges;
    Subscription m_deviceChanges;
    Subscription m_telemetryChanges;
    Subscription m_hzHistoryChanges;
    Subscription m_calibrationChanges;
};

} // namespace tarn::input
