#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"

#include "TarnInput/ViewModel/InputStudioViewModel.h"

namespace tarn::input {

HardwareViewModel::HardwareViewModel(InputStudioViewModel& studio, QObject* parent)
    : QObject(parent)
    , m_studio(studio)
{
    connect(&m_studio, &InputStudioViewModel::languageChanged, this, &HardwareViewModel::languageChanged);
    connect(&m_studio, &InputStudioViewModel::settingsChanged, this, &HardwareViewModel::settingsChanged);
    connect(
        &m_studio, &InputStudioViewModel::connectedDevicesChanged, this, &HardwareViewModel::connectedDevicesChanged);
    connect(&m_studio, &InputStudioViewModel::telemetryChanged, this, &HardwareViewModel::telemetryChanged);
    connect(&m_studio, &InputStudioViewModel::hzHistoryChanged, this, &HardwareViewModel::hzHistoryChanged);
    connect(&m_studio, &InputStudioViewModel::calibrationChanged, this, &HardwareViewModel::calibrationChanged);
}

TarnLanguage HardwareViewModel::language() const
{
    return m_studio.language();
}

const InputSettings& HardwareViewModel::settings() const
{
    return m_studio.settings();
}

const std::vector<ConnectedPointerDevice>& HardwareViewModel::connectedDevices() const
{
    return m_studio.connectedDevices();
}

const PointerTelemetrySnapshot& HardwareViewModel::telemetry() const
{
    return m_studio.telemetry();
}

const std::vector<std::int64_t>& HardwareViewModel::hzHistory() const
{
    return m_studio.hzHistory();
}

const PointerCalibrationSnapshot& HardwareViewModel::calibration() const
{
    return m_studio.calibration();
}

void HardwareViewModel::rescanDevices()
{
    m_studio.refreshDevices(true);
}

void HardwareViewModel::copyHardwareReport()
{
    m_studio.copyHardwareReport();
}

void HardwareViewModel::resetDiagnostics()
{
    m_studio.resetDiagnostics();
}

void HardwareViewModel::setDoubleClickGuard(bool enabled)
{
    m_studio.applySettingsChange([enabled](InputSettings& settings) { settings.doubleClickGuardEnabled = enabled; });
}

void HardwareViewModel::setDoubleClickThresholdMs(double milliseconds)
{
    m_studio.applySettingsChange(
        [milliseconds](InputSettings& settings) { settings.doubleClickGuardThresholdMs = milliseconds; });
}

void HardwareViewModel::setEasyWindowDrag(bool enabled)
{
    m_studio.applySettingsChange([enabled](InputSettings& settings) { settings.easyWindowDragEnabled = enabled; });
}

void HardwareViewModel::setDisableMouseAcceleration(bool disabled)
{
    m_studio.setDisableMouseAcceleration(disabled);
}

void HardwareViewModel::setNominalDPI(double dpi)
{
    m_studio.setNominalDPI(dpi);
}

void HardwareViewModel::toggleDPICalibration()
{
    m_studio.toggleDPICalibration();
}

void HardwareViewModel::applyMeasuredDPI()
{
    m_studio.applyMeasuredDPI();
}

void HardwareViewModel::resetCalibrationLab()
{
    m_studio.resetCalibrationLab();
}

} // namespace tarn::input
