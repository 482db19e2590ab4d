#include "TarnInput/ViewModel/ScreenModels/TrayViewModel.h"

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

TrayViewModel::TrayViewModel(
    ScreenModelContext& context, FrontmostApp& frontmost, TrayOperations& operations, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_frontmost(frontmost)
    , m_operations(operations)
    , m_languageChanges(m_context.observeLanguage([this] { emit languageChanged(); }))
    , m_settingsChanges(m_context.observeSettings([this] { emit settingsChanged(); }))
    , m_tapChanges(m_operations.observeTapActive([this] { emit isTapActiveChanged(); }))
    , m_deviceChanges(m_operations.observeConnectedDevices([this] { emit connectedDevicesChanged(); }))
    , m_frontmostAppChanges(m_frontmost.observeActiveFrontmostAppName([this] { emit activeFrontmostAppNameChanged(); }))
    , m_profileChanges(m_frontmost.observeActiveProfileName([this] { emit activeProfileNameChanged(); }))
{
}

TarnLanguage TrayViewModel::language() const
{
    return m_context.language();
}

bool TrayViewModel::isEngineEnabled() const
{
    return m_context.settings().engineEnabled;
}

bool TrayViewModel::isTapActive() const
{
    return m_operations.isTapActive();
}

std::optional<ConnectedPointerDevice> TrayViewModel::primaryExternalMouse() const
{
    return m_operations.primaryExternalMouse();
}

const std::string& TrayViewModel::activeFrontmostAppName() const
{
    return m_frontmost.activeFrontmostAppName();
}

const std::optional<std::string>& TrayViewModel::activeProfileName() const
{
    return m_frontmost.activeProfileName();
}

bool TrayViewModel::isOn(QuickSwitch which) const
{
    return m_context.settings().*switchField(which);
}

void TrayViewModel::setOn(QuickSwitch which, bool on)
{
    m_context.applySettingsChange([field = switchField(which), on](InputSettings& settings) { settings.*field = on; });
}

void TrayViewModel::toggleEngine()
{
    m_operations.toggleEngine();
}

void TrayViewModel::toggleKeyHUD()
{
    m_operations.toggleKeyHUD();
}

void TrayViewModel::resetToDefaults()
{
    m_operations.resetToDefaults();
}

} // namespace tarn::input
