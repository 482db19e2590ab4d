#include "TarnInput/ViewModel/ScreenModels/SettingsViewModel.h"

#include "TarnInput/ViewModel/InputStudioViewModel.h"

namespace tarn::input {

SettingsViewModel::SettingsViewModel(InputStudioViewModel& studio, QObject* parent)
    : QObject(parent)
    , m_studio(studio)
{
    connect(&m_studio, &InputStudioViewModel::languageChanged, this, &SettingsViewModel::languageChanged);
    connect(&m_studio, &InputStudioViewModel::isAccessibilityGrantedChanged, this,
        &SettingsViewModel::isAccessibilityGrantedChanged);
    connect(&m_studio, &InputStudioViewModel::launchAtLoginChanged, this, &SettingsViewModel::launchAtLoginChanged);
}

TarnLanguage SettingsViewModel::language() const
{
    return m_studio.language();
}

bool SettingsViewModel::isAccessibilityGranted() const
{
    return m_studio.isAccessibilityGranted();
}

bool SettingsViewModel::launchAtLogin() const
{
    return m_studio.launchAtLogin();
}

TarnLanguageSettings& SettingsViewModel::languageSettings() const
{
    return m_studio.languageSettings();
}

void SettingsViewModel::setLaunchAtLogin(bool enabled)
{
    m_studio.toggleLaunchAtLogin(enabled);
}

void SettingsViewModel::chooseLanguage(TarnLanguage language)
{
    m_studio.setLanguage(language);
    m_studio.languageSettings().setCurrent(language);
}

void SettingsViewModel::resetToDefaults()
{
    m_studio.resetToDefaults();
}

} // namespace tarn::input
