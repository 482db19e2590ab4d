#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"

#include <utility>

#include "TarnInput/ViewModel/InputStudioViewModel.h"

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

ButtonsViewModel::ButtonsViewModel(InputStudioViewModel& studio, QObject* parent)
    : QObject(parent)
    , m_studio(studio)
{
    connect(&m_studio, &InputStudioViewModel::languageChanged, this, &ButtonsViewModel::languageChanged);
    connect(&m_studio, &InputStudioViewModel::settingsChanged, this, &ButtonsViewModel::settingsChanged);
    connect(
        &m_studio, &InputStudioViewModel::connectedDevicesChanged, this, &ButtonsViewModel::connectedDevicesChanged);
}

TarnLanguage ButtonsViewModel::language() const
{
    return m_studio.language();
}

const InputSettings& ButtonsViewModel::settings() const
{
    return m_studio.settings();
}

const std::vector<ConnectedPointerDevice>& ButtonsViewModel::connectedDevices() const
{
    return m_studio.connectedDevices();
}

std::vector<RunningApplication> ButtonsViewModel::runningDesktopApps() const
{
    return m_studio.runningDesktopApps();
}

void ButtonsViewModel::setButtonRemap(bool enabled)
{
    m_studio.applySettingsChange([enabled](InputSettings& settings) { settings.buttonRemapEnabled = enabled; });
}

void ButtonsViewModel::setGlobalAction(MouseButtonKind button, MouseButtonAction action)
{
    m_studio.applySettingsChange(
        [field = globalActionField(button), action](InputSettings& settings) { settings.*field = action; });
}

void ButtonsViewModel::addRule(
    std::string bundleID, std::string appName, MouseButtonKind button, MouseButtonAction action)
{
    m_studio.addAppRule(std::move(bundleID), std::move(appName), button, action);
}

void ButtonsViewModel::toggleRule(AppButtonRule rule)
{
    m_studio.toggleAppRule(std::move(rule));
}

void ButtonsViewModel::removeRule(AppButtonRule rule)
{
    m_studio.removeAppRule(std::move(rule));
}

void ButtonsViewModel::setGestureChords(bool enabled)
{
    m_studio.applySettingsChange([enabled](InputSettings& settings) { settings.gestureChordsEnabled = enabled; });
}

void ButtonsViewModel::setGestureTrigger(MouseButtonKind button)
{
    m_studio.applySettingsChange([button](InputSettings& settings) { settings.gestureTriggerButton = button; });
}

void ButtonsViewModel::setGestureAction(GestureDirection direction, MouseButtonAction action)
{
    m_studio.applySettingsChange(
        [field = gestureActionField(direction), action](InputSettings& settings) { settings.*field = action; });
}

void ButtonsViewModel::setGestureThreshold(double points)
{
    m_studio.applySettingsChange([points](InputSettings& settings) { settings.gestureThresholdPoints = points; });
}

void ButtonsViewModel::rescanDevices()
{
    m_studio.refreshDevices(false);
}

} // namespace tarn::input
