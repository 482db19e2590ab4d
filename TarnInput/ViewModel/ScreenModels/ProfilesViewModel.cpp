#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"

#include <algorithm>
#include <utility>

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

ProfilesViewModel::ProfilesViewModel(ScreenModelContext& context, FrontmostApp& frontmost,
    const RunningAppsSource& apps, MacroTrial& macros, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_frontmost(frontmost)
    , m_apps(apps)
    , m_macros(macros)
    , m_languageChanges(m_context.observeLanguage([this] { emit languageChanged(); }))
    , m_settingsChanges(m_context.observeSettings([this] { emit settingsChanged(); }))
    , m_bundleIDChanges(m_frontmost.observeActiveFrontmostBundleID([this] { emit activeFrontmostBundleIDChanged(); }))
    , m_appNameChanges(m_frontmost.observeActiveFrontmostAppName([this] { emit activeFrontmostAppNameChanged(); }))
    , m_profileChanges(m_frontmost.observeActiveProfileName([this] { emit activeProfileNameChanged(); }))
    , m_resolutionChanges(m_frontmost.observeActiveResolution([this] { emit activeResolutionChanged(); }))
{
}

TarnLanguage ProfilesViewModel::language() const
{
    return m_context.language();
}

const InputSettings& ProfilesViewModel::settings() const
{
    return m_context.settings();
}

const std::optional<std::string>& ProfilesViewModel::activeFrontmostBundleID() const
{
    return m_frontmost.activeFrontmostBundleID();
}

const std::string& ProfilesViewModel::activeFrontmostAppName() const
{
    return m_frontmost.activeFrontmostAppName();
}

const std::optional<std::string>& ProfilesViewModel::activeProfileName() const
{
    return m_frontmost.activeProfileName();
}

const EffectiveInputResolution& ProfilesViewModel::activeResolution() const
{
    return m_frontmost.activeResolution();
}

std::vector<RunningApplication> ProfilesViewModel::runningDesktopApps() const
{
    return m_apps.runningDesktopApps();
}

void ProfilesViewModel::addProfileTemplate(AppInputProfile profileTemplate)
{
    if (hasProfileFor(m_context.settings().appProfiles, profileTemplate.bundleIdentifier)) {
        m_context.showToast(text("Profile for " + profileTemplate.appName + " already exists.",
                                profileTemplate.appName + " profili zaten ekli."),
            false);
        return;
    }
    m_context.applySettingsChange([&](InputSettings& settings) { settings.appProfiles.push_back(profileTemplate); });
    m_context.showToast(
        text("Added " + profileTemplate.appName + " profile.", profileTemplate.appName + " profili eklendi."), false);
}

void ProfilesViewModel::addProfile(std::string bundleID, std::string appName)
{
    const auto trimmedID = UnicodeText::trimmed(bundleID);
    if (trimmedID.empty()) {
        m_context.showToast(text("Enter a valid app ID.", "Geçerli bir uygulama kimliği girin."), true);
        return;
    }
    if (hasProfileFor(m_context.settings().appProfiles, trimmedID)) {
        m_context.showToast(
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
    m_context.applySettingsChange([&](InputSettings& settings) { settings.appProfiles.push_back(profile); });
    m_context.showToast(text("Created profile for " + name + ".", name + " profili oluşturuldu."), false);
}

void ProfilesViewModel::updateProfile(AppInputProfile profile)
{
    m_context.applySettingsChange([&](InputSettings& settings) {
        if (auto* stored = firstWithID(settings.appProfiles, profile.id)) {
            *stored = profile;
        }
    });
}

void ProfilesViewModel::removeProfile(AppInputProfile profile)
{
    std::size_t removed = 0;
    m_context.applySettingsChange([&](InputSettings& settings) {
        removed = std::erase_if(settings.appProfiles, [&](const AppInputProfile& p) { return p.id == profile.id; });
    });
    // Nothing matched: saying "removed" would be false.
    if (removed > 0) {
        m_context.showToast(
            text("Removed " + profile.appName + " profile.", profile.appName + " profili silindi."), false);
    }
}

void ProfilesViewModel::addMacroPreset(InputMacro preset)
{
    const auto& macros = m_context.settings().macros;
    if (std::any_of(macros.begin(), macros.end(), [&](const InputMacro& m) { return sameText(m.name, preset.name); })) {
        m_context.showToast(text("Macro '" + preset.name + "' is already in your library.",
                                "'" + preset.name + "' makrosu zaten listenizde."),
            false);
        return;
    }
    m_context.applySettingsChange([&](InputSettings& settings) { settings.macros.push_back(preset); });
    m_context.showToast(text("Added macro '" + preset.name + "'.", "'" + preset.name + "' makrosu eklendi."), false);
}

bool ProfilesViewModel::saveMacro(InputMacro macro)
{
    if (!InputMacroEngine::validate(macro).empty()) {
        m_context.showToast(
            text("Macro needs a name and at least one valid step.", "Makro için ad ve en az bir geçerli adım gerekir."),
            true);
        return false;
    }
    const bool existed = containsID(m_context.settings().macros, macro.id);
    m_context.applySettingsChange([&](InputSettings& settings) {
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
        m_context.showToast(
            text("Updated macro '" + macro.name + "'.", "'" + macro.name + "' makrosu güncellendi."), false);
    } else {
        m_context.showToast(
            text("Saved macro '" + macro.name + "'.", "'" + macro.name + "' makrosu kaydedildi."), false);
    }
    return true;
}

void ProfilesViewModel::toggleMacro(InputMacro macro)
{
    m_context.applySettingsChange([&](InputSettings& settings) {
        if (auto* stored = firstWithID(settings.macros, macro.id)) {
            stored->isEnabled = !stored->isEnabled;
        }
    });
}

void ProfilesViewModel::setMacroTriggerButton(Uuid macroID, std::optional<std::int64_t> buttonNumber)
{
    // An unknown macro takes no button from the others.
    if (!containsID(m_context.settings().macros, macroID)) {
        return;
    }
    m_context.applySettingsChange([&](InputSettings& settings) {
        if (buttonNumber) {
            releaseTriggerButton(settings.macros, *buttonNumber, macroID);
        }
        firstWithID(settings.macros, macroID)->triggerButtonNumber = buttonNumber;
    });
}

void ProfilesViewModel::removeMacro(InputMacro macro)
{
    m_context.applySettingsChange([&](InputSettings& settings) {
        std::erase_if(settings.macros, [&](const InputMacro& m) { return m.id == macro.id; });
        for (auto& profile : settings.appProfiles) {
            std::erase_if(profile.macroBindings, [&](const auto& binding) { return binding.second == macro.id; });
        }
    });
    m_context.showToast(text("Deleted macro '" + macro.name + "'.", "'" + macro.name + "' makrosu silindi."), false);
}

void ProfilesViewModel::testMacro(InputMacro macro)
{
    m_macros.testMacro(std::move(macro));
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
