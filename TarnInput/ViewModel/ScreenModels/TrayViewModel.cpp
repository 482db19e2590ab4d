#include "TarnInput/ViewModel/ScreenModels/TrayViewModel.h"

#include "TarnInput/ViewModel/InputStudioViewModel.h"

namespace tarn::input {

namespace {

bool InputSettings::*switchField(QuickSwitch which)
{
    switch (which) {
    case QuickSwitch::reverseMouseWheel:
        return &InputSettings::reverseMouseWheel;
    case QuickSwitch::smoothScroll:
        return &InputSettings::smoothScrollEnabled;
    case QuickSwitch::doubleClickGuard:
        return &InputSettings::doubleClickGuardEnabled;
    case QuickSwitch::easyWindowDrag:
        return &InputSettings::easyWindowDragEnabled;
    case QuickSwitch::buttonRemap:
        return &InputSettings::buttonRemapEnabled;
    case QuickSwitch::keyHUD:
        break;
    }
    return &InputSettings::keyHUDEnabled;
}

} // namespace

TrayViewModel::TrayViewModel(InputStudioViewModel& studio, QObject* parent)
    : QObject(parent)
    , m_studio(studio)
{
    connect(&m_studio, &InputStudioViewModel::languageChanged, this, &TrayViewModel::languageChanged);
    connect(&m_studio, &InputStudioViewModel::settingsChanged, this, &TrayViewModel::settingsChanged);
    connect(&m_studio, &InputStudioViewModel::isTapActiveChanged, this, &TrayViewModel::isTapActiveChanged);
    connect(&m_studio, &InputStudioViewModel::connectedDevicesChanged, this, &TrayViewModel::connectedDevicesChanged);
    connect(&m_studio, &InputStudioViewModel::activeFrontmostAppNameChanged, this,
        &TrayViewModel::activeFrontmostAppNameChanged);
    connect(&m_studio, &InputStudioViewModel::activeProfileNameChanged, this, &TrayViewModel::activeProfileNameChanged);
}

TarnLanguage TrayViewModel::language() const
{
    return m_studio.language();
}

bool TrayViewModel::isEngineEnabled() const
{
    return m_studio.settings().engineEnabled;
}

bool TrayViewModel::isTapActive() const
{
    return m_studio.isTapActive();
}

std::optional<ConnectedPointerDevice> TrayViewModel::primaryExternalMouse() const
{
    return m_studio.primaryExternalMouse();
}

const std::string& TrayViewModel::activeFrontmostAppName() const
{
    return m_studio.activeFrontmostAppName();
}

const std::optional<std::string>& TrayViewModel::activeProfileName() const
{
    return m_studio.activeProfileName();
}

bool TrayViewModel::isOn(QuickSwitch which) const
{
    return m_studio.settings().*switchField(which);
}

void TrayViewModel::setOn(QuickSwitch which, bool on)
{
    m_studio.applySettingsChange([field = switchField(which), on](InputSettings& settings) { settings.*field = on; });
}

void TrayViewModel::toggleEngine()
{
    m_studio.toggleEngine();
}

void TrayViewModel::toggleKeyHUD()
{
    m_studio.toggleKeyHUD();
}

void TrayViewModel::resetToDefaults()
{
    m_studio.resetToDefaults();
}

} // namespace tarn::input
