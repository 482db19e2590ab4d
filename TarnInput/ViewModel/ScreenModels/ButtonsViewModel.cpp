#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"

#include "TarnInput/ViewModel/RecordsByID.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn::input {

namespace {

MouseButtonAction InputSettings::*globalActionField(MouseButtonKind button)
{
    switch (button) {
    case MouseButtonKind::middle:
        return &InputSettings::middleButtonAction;
    case MouseButtonKind::sideBack:
        return &InputSettings::sideBackAction;
    case MouseButtonKind::sideForward:
        break;
    }
    return &InputSettings::sideForwardAction;
}

MouseButtonAction InputSettings::*gestureActionField(GestureDirection direction)
{
    switch (direction) {
    case GestureDirection::up:
        return &InputSettings::gestureUpAction;
    case GestureDirection::down:
        return &InputSettings::gestureDownAction;
    case GestureDirection::left:
        return &InputSettings::gestureLeftAction;
    case GestureDirection::right:
        break;
    }
    return &InputSettings::gestureRightAction;
}

} // namespace

ButtonsViewModel::ButtonsViewModel(
    ScreenModelContext& context, DeviceList& devices, const RunningAppsSource& apps, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_devices(devices)
    , m_apps(apps)
    , m_languageChanges(m_context.observeLanguage([this] { emit languageChanged(); }))
    , m_settingsChanges(m_context.observeSettings([this] { emit settingsChanged(); }))
    , m_deviceChanges(m_devices.observeConnectedDevices([this] { emit connectedDevicesChanged(); }))
{
}

TarnLanguage ButtonsViewModel::language() const
{
    return m_context.language();
}

const InputSettings& ButtonsViewModel::settings() const
{
    return m_context.settings();
}

const std::vector<ConnectedPointerDevice>& ButtonsViewModel::connectedDevices() const
{
    return m_devices.connectedDevices();
}

std::vector<RunningApplication> ButtonsViewModel::runningDesktopApps() const
{
    return m_apps.runningDesktopApps();
}

void ButtonsViewModel::setButtonRemap(bool enabled)
{
    m_context.applySettingsChange([enabled](InputSettings& settings) { settings.buttonRemapEnabled = enabled; });
}

void ButtonsViewModel::setGlobalAction(MouseButtonKind button, MouseButtonAction action)
{
    m_context.applySettingsChange(
        [field = globalActionField(button), action](InputSettings& settings) { settings.*field = action; });
}

void ButtonsViewModel::addRule(
    std::string bundleID, std::string appName, MouseButtonKind button, MouseButtonAction action)
{
    const auto trimmedID = UnicodeText::trimmed(bundleID);
    if (trimmedID.empty()) {
        return;
    }
    const auto trimmedName = UnicodeText::trimmed(appName);
    const auto displayName = trimmedName.empty() ? trimmedID : trimmedName;
    // No duplicate test: a second rule for the same application and button sits beside the first.
    m_context.applySettingsChange([&](InputSettings& settings) {
        settings.appOverrides.push_back(AppButtonRule {Uuid::random(), trimmedID, displayName, button, action, true});
    });
    m_context.showToast(tarnText("Added override for " + displayName + ".", displayName + " için tuş kuralı eklendi.",
                            m_context.language()),
        false);
}

void ButtonsViewModel::toggleRule(AppButtonRule rule)
{
    m_context.applySettingsChange([&](InputSettings& settings) {
        if (auto* stored = firstWithID(settings.appOverrides, rule.id)) {
            stored->isEnabled = !stored->isEnabled;
        }
    });
}

void ButtonsViewModel::removeRule(AppButtonRule rule)
{
    m_context.applySettingsChange([&](InputSettings& settings) {
        std::erase_if(settings.appOverrides, [&](const AppButtonRule& r) { return r.id == rule.id; });
    });
}

void ButtonsViewModel::setGestureChords(bool enabled)
{
    m_context.applySettingsChange([enabled](InputSettings& settings) { settings.gestureChordsEnabled = enabled; });
}

void ButtonsViewModel::setGestureTrigger(MouseButtonKind button)
{
    m_context.applySettingsChange([button](InputSettings& settings) { settings.gestureTriggerButton = button; });
}

void ButtonsViewModel::setGestureAction(GestureDirection direction, MouseButtonAction action)
{
    m_context.applySettingsChange(
        [field = gestureActionField(direction), action](InputSettings& settings) { settings.*field = action; });
}

void ButtonsViewModel::setGestureThreshold(double points)
{
    m_context.applySettingsChange([points](InputSettings& settings) { settings.gestureThresholdPoints = points; });
}

void ButtonsViewModel::rescanDevices()
{
    m_devices.refreshDevices(false);
}

} // namespace tarn::input
