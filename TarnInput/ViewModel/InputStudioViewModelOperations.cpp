// The view model's named operations: switches, reset, launch at login, the hardware report, the
// diagnostics, DPI and calibration, pointer acceleration, the HUD preview and two queries.

#include <algorithm>
#include <memory>

#include <fmt/format.h>
#include <unicode/coll.h>
#include <unicode/locid.h>

#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnInputCore/Devices/USBVendorRegistry.h"

namespace tarn::input {

namespace {

constexpr double kCalibrationTargetCm = 10;
constexpr std::int64_t kSmallestApplicableDPI = 100;

// Orders names as the interface language sorts them, ignoring case but not accents.
class NameCollator {
public:
    explicit NameCollator(TarnLanguage language)
    {
        UErrorCode status = U_ZERO_ERROR;
        m_collator.reset(
            icu::Collator::createInstance(icu::Locale(std::string(localeIdentifier(language)).c_str()), status));
        if (U_FAILURE(status)) {
            m_collator.reset();
            return;
        }
        m_collator->setStrength(icu::Collator::SECONDARY);
    }

    bool less(const std::string& a, const std::string& b) const
    {
        if (!m_collator) {
            return a < b;
        }
        UErrorCode status = U_ZERO_ERROR;
        const auto order = m_collator->compareUTF8(a, b, status);
        return U_SUCCESS(status) ? order == UCOL_LESS : a < b;
    }

private:
    std::unique_ptr<icu::Collator> m_collator;
};

} // namespace

void InputStudioViewModel::toggleEngine()
{
    applySettingsChange([](InputSettings& settings) { settings.engineEnabled = !settings.engineEnabled; });
    showToast(m_settings.engineEnabled ? text("Input engine enabled.", "Giriş motoru etkinleştirildi.")
                                       : text("Input engine paused.", "Giriş motoru duraklatıldı."),
        false);
}

void InputStudioViewModel::toggleKeyHUD()
{
    applySettingsChange([](InputSettings& settings) { settings.keyHUDEnabled = !settings.keyHUDEnabled; });
    showToast(m_settings.keyHUDEnabled ? text("Presentation KeyHUD enabled.", "Sunum Kısayol HUD açıldı.")
                                       : text("Presentation KeyHUD hidden.", "Sunum Kısayol HUD kapatıldı."),
        false);
}

void InputStudioViewModel::resetToDefaults()
{
    // The system's acceleration preference is left alone: only the stored flag goes back. A
    // reversed touchpad is turned back with its switch, like any other change of it.
    applySettingsChange([](InputSettings& settings) { settings = InputSettings {}; });
    showToast(text("Restored default input settings.", "Varsayılan giriş ayarları geri yüklendi."), false);
}

void InputStudioViewModel::toggleLaunchAtLogin(bool enabled)
{
    const bool changed = m_launchAtLoginService.setEnabled(enabled);
    m_launchAtLogin = m_launchAtLoginService.isEnabled();
    emit launchAtLoginChanged();
    if (changed) {
        return;
    }
    if (enabled) {
        showToast(text("Launch at login could not be turned on: the autostart entry in ~/.config/autostart could "
                       "not be written.",
                      "Oturum açılışında başlatma açılamadı: ~/.config/autostart içindeki otomatik başlatma girdisi "
                      "yazılamadı."),
            true);
    } else {
        showToast(text("Launch at login could not be turned off: the autostart entry in ~/.config/autostart could "
                       "not be written.",
                      "Oturum açılışında başlatma kapatılamadı: ~/.config/autostart içindeki otomatik başlatma "
                      "girdisi yazılamadı."),
            true);
    }
}

void InputStudioViewModel::copyHardwareReport()
{
    m_services.pasteboard.setText(USBVendorRegistry::formatHardwareReport(m_connectedDevices));
    showToast(text("Copied full mouse hardware report to clipboard.", "Fare donanım raporu panoya kopyalandı."), false);
}

void InputStudioViewModel::resetDiagnostics()
{
    m_hzHistory.clear();
    emit hzHistoryChanged();
    m_interceptor->resetDiagnostics();
    showToast(text("Reset live polling rate & click counters.", "Canlı Hz ve tıklama sayaçları sıfırlandı."), false);
}

void InputStudioViewModel::setNominalDPI(double dpi)
{
    const double value = InputSettings::boundedPointerDPI(dpi);
    applySettingsChange([value](InputSettings& settings) { settings.nominalPointerDPI = value; });
}

void InputStudioViewModel::toggleDPICalibration()
{
    // Decided by what the engine last reported, not by asking it again.
    if (!m_calibration.isCalibrating) {
        m_interceptor->startDPICalibration(kCalibrationTargetCm);
        showToast(text("Slide your mouse 10 cm horizontally, then click Stop.",
                      "Farenizi mousepad üzerinde düz 10 cm kaydırın, ardından Bitir'e tıklayın."),
            false);
        return;
    }
    const auto measured = m_interceptor->stopDPICalibration();
    if (!measured) {
        showToast(text("Move your mouse 10 cm before stopping calibration.",
                      "Kalibrasyonu bitirmeden önce fareyi 10 cm sürükleyin."),
            true);
        return;
    }
    showToast(text(fmt::format("Measured effective DPI: {} DPI.", *measured),
                  fmt::format("Ölçülen efektif DPI: {} DPI.", *measured)),
        false);
}

void InputStudioViewModel::applyMeasuredDPI()
{
    const auto measured = m_calibration.measuredEffectiveDPI;
    if (!measured || *measured < kSmallestApplicableDPI) {
        return;
    }
    setNominalDPI(static_cast<double>(*measured));
    // The value that was stored: a measurement above the highest DPI is held to it.
    const auto applied = static_cast<std::int64_t>(m_settings.nominalPointerDPI);
    showToast(text(fmt::format("Applied {} DPI as nominal mouse DPI.", applied),
                  fmt::format("{} DPI nominal fare DPI olarak uygulandı.", applied)),
        false);
}

void InputStudioViewModel::resetCalibrationLab()
{
    m_interceptor->resetCalibrationSession();
    showToast(
        text("Reset cursor travel distance & click lab counters.", "İmleç mesafesi ve tıklama sayaçları sıfırlandı."),
        false);
}

void InputStudioViewModel::stopEngine()
{
    m_interceptor->stop();
}

void InputStudioViewModel::setDisableMouseAcceleration(bool disabled)
{
    const bool accepted = m_accelerationBridge.setAccelerationDisabled(disabled, m_settings.pointerSpeedMultiplier);
    // A refused change must not show as done: publish what the system actually has.
    const bool actual = accepted ? disabled : m_accelerationBridge.isAccelerationDisabled();
    applySettingsChange([actual](InputSettings& settings) { settings.disableMouseAcceleration = actual; });
    if (!accepted) {
        showToast(text("Pointer acceleration could not be changed.", "İmleç ivmesi değiştirilemedi."), true);
    } else if (disabled) {
        showToast(
            text("Disabled mouse acceleration (Linear 1:1 tracking).", "Fare ivmesi kapatıldı (Doğrusal 1:1 takip)."),
            false);
    } else {
        showToast(text("Restored standard pointer acceleration.", "Standart imleç ivmesi geri açıldı."), false);
    }
}

void InputStudioViewModel::previewKeyHUD()
{
    const KeyHUDToken token {Uuid::random(), "⇧⌘K", true, m_services.clock.wallNow()};
    m_services.overlays.push(token, m_settings.keyHUDPosition, m_settings.keyHUDDurationSeconds);
    m_services.overlays.showClickRipple(ClickRippleEvent {m_services.screens.pointerLocation(), false});
}

std::optional<ConnectedPointerDevice> InputStudioViewModel::primaryExternalMouse() const
{
    const auto external = std::find_if(m_connectedDevices.begin(), m_connectedDevices.end(),
        [](const ConnectedPointerDevice& device) { return !device.isBuiltIn; });
    if (external != m_connectedDevices.end()) {
        return *external;
    }
    if (m_connectedDevices.empty()) {
        return std::nullopt;
    }
    return m_connectedDevices.front();
}

std::vector<RunningApplication> InputStudioViewModel::runningDesktopApps() const
{
    // The workspace lists only applications with a window to switch to (no panels or agents).
    auto applications = m_services.engine.workspace.runningApplications();
    std::erase_if(applications,
        [](const RunningApplication& application) { return application.bundleID.empty() || application.name.empty(); });
    const NameCollator collator(m_language);
    std::stable_sort(applications.begin(), applications.end(),
        [&collator](
            const RunningApplication& a, const RunningApplication& b) { return collator.less(a.name, b.name); });
    return applications;
}

} // namespace tarn::input
