#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"

#include <algorithm>
#include <utility>

#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnInput/ViewModel/RecordsByID.h"
#include "TarnInputCore/Engine/Macros/InputMacroEngine.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn::input {

namespace {

bool sameText(std::string_view a, std::string_view b)
{
    return UnicodeText::lowercased(a) == UnicodeText::lowercased(b);
}

bool hasProfileFor(const std::vector<AppInputProfile>& profiles, std::string_view bundleID)
{
    return std::any_of(profiles.begin(), profiles.end(),
        [bundleID](const AppInputProfile& profile) { return sameText(profile.bundleIdentifier, bundleID); });
}

// Takes the trigger button from every macro but `keep`.
void releaseTriggerButton(std::vector<InputMacro>& macros, std::int64_t buttonNumber, const Uuid& keep)
{
    for (auto& other : macros) {
        if (other.id != keep && other.triggerButtonNumber == buttonNumber) {
            other.triggerButtonNumber.reset();
        }
    }
}

} // namespace

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
    if (hasProfileFor(m_studio.settings().appProfiles, profileTemplate.bundleIdentifier)) {
        m_studio.showToast(text("Profile for " + profileTemplate.appName + " already exists.",
                               profileTemplate.appName + " profili zaten ekli."),
            false);
        return;
    }
    m_studio.applySettingsChange([&](InputSettings& settings) { settings.appProfiles.push_back(profileTemplate); });
    m_studio.showToast(
        text("Added " + profileTemplate.appName + " profile.", profileTemplate.appName + " profili eklendi."), false);
}

void ProfilesViewModel::addProfile(std::string bundleID, std::string appName)
{
    const auto trimmedID = UnicodeText::trimmed(bundleID);
    if (trimmedID.empty()) {
        m_studio.showToast(text("Enter a valid app ID.", "Geçerli bir uygulama kimliği girin."), true);
        return;
    }
    if (hasProfileFor(m_studio.settings().appProfiles, trimmedID)) {
        m_studio.showToast(
            text("Profile for " + trimmedID + " already exists.", trimmedID + " için profil zaten mevcut."), true);
        return;
    }
    const auto trimmedName = UnicodeText::trimmed(appName);
    const auto name = trimmedName.empty() ? trimmedID : trimmedName;
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = trimmedID;
    profile.appName = name;
    profile.isEnabled = true;
    m_studio.applySettingsChange([&](InputSettings& settings) { settings.appProfiles.push_back(profile); });
    m_studio.showToast(text("Created profile for " + name + ".", name + " profili oluşturuldu."), false);
}

void ProfilesViewModel::updateProfile(AppInputProfile profile)
{
    m_studio.applySettingsChange([&](InputSettings& settings) {
        if (auto* stored = firstWithID(settings.appProfiles, profile.id)) {
            *stored = profile;
        }
    });
}

void ProfilesViewModel::removeProfile(AppInputProfile profile)
{
    std::size_t removed = 0;
    m_studio.applySettingsChange([&](InputSettings& settings) {
        removed = std::erase_if(settings.appProfiles, [&](const AppInputProfile& p) { return p.id == profile.id; });
    });
    // Nothing matched: saying "removed" would be false.
    if (removed > 0) {
        m_studio.showToast(
            text("Removed " + profile.appName + " profile.", profile.appName + " profili silindi."), false);
    }
}

void ProfilesViewModel::addMacroPreset(InputMacro preset)
{
    const auto& macros = m_studio.settings().macros;
    if (std::any_of(macros.begin(), macros.end(), [&](const InputMacro& m) { return sameText(m.name, preset.name); })) {
        m_studio.showToast(text("Macro '" + preset.name + "' is already in your library.",
                               "'" + preset.name + "' makrosu zaten listenizde."),
            false);
        return;
    }
    m_studio.applySettingsChange([&](InputSettings& settings) { settings.macros.push_back(preset); });
    m_studio.showToast(text("Added macro '" + preset.name + "'.", "'" + preset.name + "' makrosu eklendi."), false);
}

bool ProfilesViewModel::saveMacro(InputMacro macro)
{
    if (!InputMacroEngine::validate(macro).empty()) {
        m_studio.showToast(
            text("Macro needs a name and at least one valid step.", "Makro için ad ve en az bir geçerli adım gerekir."),
            true);
        return false;
    }
    const bool existed = containsID(m_studio.settings().macros, macro.id);
    m_studio.applySettingsChange([&](InputSettings& settings) {
        if (macro.triggerButtonNumber) {
            releaseTriggerButton(settings.macros, *macro.triggerButtonNumber, macro.id);
        }
        if (auto* stored = firstWithID(settings.macros, macro.id)) {
            *stored = macro;
        } else {
            settings.macros.push_back(macro);
        }
    });
    if (existed) {
        m_studio.showToast(
            text("Updated macro '" + macro.name + "'.", "'" + macro.name + "' makrosu güncellendi."), false);
    } else {
        m_studio.showToast(
            text("Saved macro '" + macro.name + "'.", "'" + macro.name + "' makrosu kaydedildi."), false);
    }
    return true;
}

void ProfilesViewModel::toggleMacro(InputMacro macro)
{
    m_studio.applySettingsChange([&](InputSettings& settings) {
        if (auto* stored = firstWithID(settings.macros, macro.id)) {
            stored->isEnabled = !stored->isEnabled;
        }
    });
}

void ProfilesViewModel::setMacroTriggerButton(Uuid macroID, std::optional<std::int64_t> buttonNumber)
{
    // An unknown macro takes no button from the others.
    if (!containsID(m_studio.settings().macros, macroID)) {
        return;
    }
    m_studio.applySettingsChange([&](InputSettings& settings) {
        if (buttonNumber) {
            releaseTriggerButton(settings.macros, *buttonNumber, macroID);
        }
        firstWithID(settings.macros, macroID)->triggerButtonNumber = buttonNumber;
    });
}

void ProfilesViewModel::removeMacro(InputMacro macro)
{
    m_studio.applySettingsChange([&](InputSettings& settings) {
        std::erase_if(settings.macros, [&](const InputMacro& m) { return m.id == macro.id; });
        for (auto& profile : settings.appProfiles) {
            std::erase_if(profile.macroBindings, [&](const auto& binding) { return binding.second == macro.id; });
        }
    });
    m_studio.showToast(text("Deleted macro '" + macro.name + "'.", "'" + macro.name + "' makrosu silindi."), false);
}

void ProfilesViewModel::testMacro(InputMacro macro)
{
    m_studio.testMacro(std::move(macro));
}

std::string ProfilesViewModel::text(std::string_view en, std::string_view tr) const
{
    return tarnText(en, tr, language());
}

std::int64_t ProfilesViewModel::estimatedDurationMs(const InputMacro& macro)
{
    return InputMacroEngine::estimatedDurationMs(macro);
}

} // namespace tarn::input
