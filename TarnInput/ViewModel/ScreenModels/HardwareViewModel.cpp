#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"

namespace tarn::input {

HardwareViewModel::HardwareViewModel(
    ScreenModelContext& context, DeviceList& devices, HardwareOperations& operations, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_devices(devices)
    , m_operations(operations)
    , m_languageChanges(m_context.observeLanguage([this] { emit languageChanged(); }))
    , m_settingsChanges(m_context.observeSettings([this] { emit settingsChanged(); }))
    , m_deviceChanges(m_devices.observeConnectedDevices([this] { emit connectedDevicesChanged(); }))
    , m_telemetryChanges(m_operations.observeTelemetry([this] { emit telemetryChanged(); }))
    , m_hzHistoryChanges(m_operations.observeHzHistory([this] { emit hzHistoryChanged(); }))
    , m_calibrationChanges(m_operations.observeCalibration([this] { emit calibrationChanged(); }))
{
}

TarnLanguage HardwareViewModel::language() const
{
    return m_context.language();
}

const InputSettings& HardwareViewModel::settings() const
{
    return m_context.settings();
}

const std::vector<ConnectedPointerDevice>& HardwareViewModel::connectedDevices() const
{
    return m_devices.connectedDevices();
}

const PointerTelemetrySnapshot& HardwareViewModel::telemetry() const
{
    return m_operations.telemetry();
}

const std::vector<std::int64_t>& HardwareViewModel::hzHistory() const
{
    return m_operations.hzHistory();
}

const PointerCalibrationSnapshot& HardwareViewModel::calibration() const
{
    return m_operations.calibration();
}

void HardwareViewModel::rescanDevices()
{
    m_devices.refreshDevices(true);
}

void HardwareViewModel::copyHardwareReport()
{
    m_operations.copyHardwareReport();
}

void HardwareViewModel::resetDiagnostics()
{
    m_operations.resetDiagnostics();
}

void HardwareViewModel::setDoubleClickGuard(bool enabled)
{
    m_context.applySettingsChange([enabled](InputSettings& settings) { settings.doubleClickGuardEnabled = enabled; });
}

void HardwareViewModel::setDoubleClickThresholdMs(double milliseconds)
{
    m_context.applySettingsChange(
        [milliseconds](InputSettings& settings) { settings.doubleClickGuardThresholdMs = milliseconds; });
}

void HardwareViewModel::setEasyWindowDrag(bool enabled)
{
    m_context.applySettingsChange([enabled](InputSettings& settings) { settings.easyWindowDragEnabled = enabled; });
}

void HardwareViewModel::setDisableMouseAcceleration(bool disabled)
{
    m_operations.setDisableMouseAcceleration(disabled);
}

void HardwareViewModel::setNominalDPI(double dpi)
{
    m_operations.setNominalDPI(dpi);
}

void HardwareViewModel::toggleDPICalibration()
{
    m_operations.toggleDPICalibration();
}

void HardwareViewModel::applyMeasuredDPI()
{
    m_operations.applyMeasuredDPI();
}

void HardwareViewModel::resetCalibrationLab()
{
    m_operations.resetCalibrationLab();
}

} // namespace tarn::input
