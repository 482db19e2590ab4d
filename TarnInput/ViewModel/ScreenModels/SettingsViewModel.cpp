#include "TarnInput/ViewModel/ScreenModels/SettingsViewModel.h"

namespace tarn::input {

SettingsViewModel::SettingsViewModel(ScreenModelContext& context, SettingsOperations& operations, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_operations(operations)
    , m_languageChanges(m_context.observeLanguage([this] { emit languageChanged(); }))
    , m_accessibilityChanges(m_operations.observeAccessibilityGranted([this] { emit isAccessibilityGrantedChanged(); }))
    , m_launchAtLoginChanges(m_operations.observeLaunchAtLogin([this] { emit launchAtLoginChanged(); }))
{
}

TarnLanguage SettingsViewModel::language() const
{
    return m_context.language();
}

bool SettingsViewModel::isAccessibilityGranted() const
{
    return m_operations.isAccessibilityGranted();
}

bool SettingsViewModel::launchAtLogin() const
{
    return m_operations.launchAtLogin();
}

std::optional<WorkspaceLimitation> SettingsViewModel::workspaceLimitation() const
{
    return m_operations.workspaceLimitation();
}

TarnLanguageSettings& SettingsViewModel::languageSettings() const
{
    return m_operations.languageSettings();
}

void SettingsViewModel::setLaunchAtLogin(bool enabled)
{
    m_operations.toggleLaunchAtLogin(enabled);
}

void SettingsViewModel::chooseLanguage(TarnLanguage language)
{
    m_operations.setLanguage(language);
    m_operations.languageSettings().setCurrent(language);
}

void SettingsViewModel::resetToDefaults()
{
    m_operations.resetToDefaults();
}

} // namespace tarn::input
