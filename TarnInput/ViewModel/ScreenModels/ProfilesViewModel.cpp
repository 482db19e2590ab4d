#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"

#include <utility>

#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnInputCore/Engine/Macros/InputMacroEngine.h"

namespace tarn::input {

ProfilesViewModel::ProfilesViewModel(InputStudioViewModel& studio, QObject* parent)
    : QObject(parent)
    , m_studio(studio)
{
    connect(&m_studio, &InputStudioViewModel::languageChanged, this, &ProfilesViewModel::languageChanged);
    connect(&m_studio, &InputStudioViewModel::settingsChanged, this, &ProfilesViewModel::settingsChanged);
    connect(&m_studio, &InputStudioViewModel::activeFrontmostBundleIDChanged, this,
        &ProfilesViewModel::activeFrontmostBundleIDChanged);
    connect(&m_studio, &InputStudioViewModel::activeFrontmostAppNameChanged, this,
        &ProfilesViewModel::activeFrontmostAppNameChanged);
    connect(
        &m_studio, &InputStudioViewModel::activeProfileNameChanged, this, &ProfilesViewModel::activeProfileNameChanged);
    connect(
        &m_studio, &InputStudioViewModel::activeResolutionChanged, this, &ProfilesViewModel::activeResolutionChanged);
}

TarnLanguage ProfilesViewModel::language() const
{
    return m_studio.language();
}

const InputSettings& ProfilesViewModel::settings() const
{
    return m_studio.settings();
}

const std::optional<std::string>& ProfilesViewModel::activeFrontmostBundleID() const
{
    return m_studio.activeFrontmostBundleID();
}

const std::string& ProfilesViewModel::activeFrontmostAppName() const
{
    return m_studio.activeFrontmostAppName();
}

const std::optional<std::string>& ProfilesViewModel::activeProfileName() const
{
    return m_studio.activeProfileName();
}

const EffectiveInputResolution& ProfilesViewModel::activeResolution() const
{
    return m_studio.activeResolution();
}

std::vector<RunningApplication> ProfilesViewModel::runningDesktopApps() const
{
    return m_studio.runningDesktopApps();
}

void ProfilesViewModel::addProfileTemplate(AppInputProfile profileTemplate)
{
    m_studio.addProfileTemplate(std::move(profileTemplate));
}

void ProfilesViewModel::addProfile(std::string bundleID, std::string appName)
{
    m_studio.addAppProfile(std::move(bundleID), std::move(appName));
}

void ProfilesViewModel::updateProfile(AppInputProfile profile)
{
    m_studio.updateAppProfile(std::move(profile));
}

void ProfilesViewModel::removeProfile(AppInputProfile profile)
{
    m_studio.removeAppProfile(std::move(profile));
}

void ProfilesViewModel::addMacroPreset(InputMacro preset)
{
    m_studio.addMacroPreset(std::move(preset));
}

bool ProfilesViewModel::saveMacro(InputMacro macro)
{
    return m_studio.saveMacro(std::move(macro));
}

void ProfilesViewModel::toggleMacro(InputMacro macro)
{
    m_studio.toggleMacro(std::move(macro));
}

void ProfilesViewModel::setMacroTriggerButton(Uuid macroID, std::optional<std::int64_t> buttonNumber)
{
    m_studio.updateMacroTriggerButton(macroID, buttonNumber);
}

void ProfilesViewModel::removeMacro(InputMacro macro)
{
    m_studio.removeMacro(std::move(macro));
}

void ProfilesViewModel::testMacro(InputMacro macro)
{
    m_studio.testMacro(std::move(macro));
}

std::int64_t ProfilesViewModel::estimatedDurationMs(const InputMacro& macro)
{
    return InputMacroEngine::estimatedDurationMs(macro);
}

} // namespace tarn::input
