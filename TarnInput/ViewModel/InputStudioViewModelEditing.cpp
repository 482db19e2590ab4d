// The view model's editing operations on the lists inside the settings: scroll exclusions,
// per-application button rules, profiles and macros.

#include <algorithm>

#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnInputCore/Engine/Macros/InputMacroEngine.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {

namespace {

bool sameText(std::string_view a, std::string_view b)
{
    return UnicodeText::lowercased(a) == UnicodeText::lowercased(b);
}

// The first record with this identity, or null.
template <typename Record> Record* firstWithID(std::vector<Record>& records, const Uuid& id)
{
    const auto found = std::find_if(records.begin(), records.end(), [&id](const Record& r) { return r.id == id; });
    return found == records.end() ? nullptr : &*found;
}

template <typename Record> bool containsID(const std::vector<Record>& records, const Uuid& id)
{
    return std::any_of(records.begin(), records.end(), [&id](const Record& r) { return r.id == id; });
}

bool hasProfileFor(const std::vector<AppInputProfile>& profiles, std::string_view bundleID)
{
    return std::any_of(profiles.begin(), profiles.end(),
        [bundleID](const AppInputProfile& profile) { return sameText(profile.bundleIdentifier, bundleID); });
}

} // namespace

void InputStudioViewModel::releaseTriggerButton(
    std::vector<InputMacro>& macros, std::int64_t buttonNumber, const Uuid& keep)
{
    for (auto& other : macros) {
        if (other.id != keep && other.triggerButtonNumber == buttonNumber) {
            other.triggerButtonNumber.reset();
        }
    }
}

// MARK: Scroll exclusions

void InputStudioViewModel::addScrollExclusion(std::string bundleID)
{
    const auto trimmed = UnicodeText::trimmed(bundleID);
    const auto& excluded = m_settings.smoothScrollExcludedBundles;
    if (trimmed.empty()
        || std::any_of(excluded.begin(), excluded.end(), [&](const auto& entry) { return sameText(entry, trimmed); })) {
        return;
    }
    applySettingsChange([&](InputSettings& settings) { settings.smoothScrollExcludedBundles.push_back(trimmed); });
    showToast(
        text("Excluded " + trimmed + " from smooth scroll.", trimmed + " akıcı kaydırmadan hariç tutuldu."), false);
}

void InputStudioViewModel::removeScrollExclusion(std::string bundleID)
{
    applySettingsChange([&](InputSettings& settings) { std::erase(settings.smoothScrollExcludedBundles, bundleID); });
}

// MARK: Button rules

void InputStudioViewModel::addAppRule(
    std::string bundleID, std::string appName, MouseButtonKind button, MouseButtonAction action)
{
    const auto trimmedID = UnicodeText::trimmed(bundleID);
    if (trimmedID.empty()) {
        return;
    }
    const auto trimmedName = UnicodeText::trimmed(appName);
    const auto displayName = trimmedName.empty() ? trimmedID : trimmedName;
    // No duplicate test: a second rule for the same application and button sits beside the first.
    applySettingsChange([&](InputSettings& settings) {
        settings.appOverrides.push_back(AppButtonRule {Uuid::random(), trimmedID, displayName, button, action, true});
    });
    showToast(text("Added override for " + displayName + ".", displayName + " için tuş kuralı eklendi."), false);
}

void InputStudioViewModel::removeAppRule(AppButtonRule rule)
{
    applySettingsChange([&](InputSettings& settings) {
        std::erase_if(settings.appOverrides, [&](const AppButtonRule& r) { return r.id == rule.id; });
    });
}

void InputStudioViewModel::toggleAppRule(AppButtonRule rule)
{
    applySettingsChange([&](InputSettings& settings) {
        if (auto* stored = firstWithID(settings.appOverrides, rule.id)) {
            stored->isEnabled = !stored->isEnabled;
        }
    });
}

// MARK: Profiles

void InputStudioViewModel::addProfileTemplate(AppInputProfile profileTemplate)
{
    if (hasProfileFor(m_settings.appProfiles, profileTemplate.bundleIdentifier)) {
        showToast(text("Profile for " + profileTemplate.appName + " already exists.",
                      profileTemplate.appName + " profili zaten ekli."),
            false);
        return;
    }
    applySettingsChange([&](InputSettings& settings) { settings.appProfiles.push_back(profileTemplate); });
    showToast(
        text("Added " + profileTemplate.appName + " profile.", profileTemplate.appName + " profili eklendi."), false);
}

void InputStudioViewModel::addAppProfile(std::string bundleID, std::string appName)
{
    const auto trimmedID = UnicodeText::trimmed(bundleID);
    if (trimmedID.empty()) {
        showToast(text("Enter a valid app ID.", "Geçerli bir uygulama kimliği girin."), true);
        return;
    }
    if (hasProfileFor(m_settings.appProfiles, trimmedID)) {
        showToast(
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
    applySettingsChange([&](InputSettings& settings) { settings.appProfiles.push_back(profile); });
    showToast(text("Created profile for " + name + ".", name + " profili oluşturuldu."), false);
}

void InputStudioViewModel::updateAppProfile(AppInputProfile profile)
{
    applySettingsChange([&](InputSettings& settings) {
        if (auto* stored = firstWithID(settings.appProfiles, profile.id)) {
            *stored = profile;
        }
    });
}

void InputStudioViewModel::removeAppProfile(AppInputProfile profile)
{
    std::size_t removed = 0;
    applySettingsChange([&](InputSettings& settings) {
        removed = std::erase_if(settings.appProfiles, [&](const AppInputProfile& p) { return p.id == profile.id; });
    });
    // Nothing matched: saying "removed" would be false.
    if (removed > 0) {
        showToast(text("Removed " + profile.appName + " profile.", profile.appName + " profili silindi."), false);
    }
}

// MARK: Macros

void InputStudioViewModel::addMacroPreset(InputMacro preset)
{
    const auto& macros = m_settings.macros;
    if (std::any_of(macros.begin(), macros.end(), [&](const InputMacro& m) { return sameText(m.name, preset.name); })) {
        showToast(text("Macro '" + preset.name + "' is already in your library.",
                      "'" + preset.name + "' makrosu zaten listenizde."),
            false);
        return;
    }
    applySettingsChange([&](InputSettings& settings) { settings.macros.push_back(preset); });
    showToast(text("Added macro '" + preset.name + "'.", "'" + preset.name + "' makrosu eklendi."), false);
}

bool InputStudioViewModel::saveMacro(InputMacro macro)
{
    if (!InputMacroEngine::validate(macro).empty()) {
        showToast(
            text("Macro needs a name and at least one valid step.", "Makro için ad ve en az bir geçerli adım gerekir."),
            true);
        return false;
    }
    const bool existed = containsID(m_settings.macros, macro.id);
    applySettingsChange([&](InputSettings& settings) {
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
        showToast(text("Updated macro '" + macro.name + "'.", "'" + macro.name + "' makrosu güncellendi."), false);
    } else {
        showToast(text("Saved macro '" + macro.name + "'.", "'" + macro.name + "' makrosu kaydedildi."), false);
    }
    return true;
}

void InputStudioViewModel::toggleMacro(InputMacro macro)
{
    applySettingsChange([&](InputSettings& settings) {
        if (auto* stored = firstWithID(settings.macros, macro.id)) {
            stored->isEnabled = !stored->isEnabled;
        }
    });
}

void InputStudioViewModel::updateMacroTriggerButton(Uuid macroID, std::optional<std::int64_t> buttonNumber)
{
    // An unknown macro takes no button from the others.
    if (!containsID(m_settings.macros, macroID)) {
        return;
    }
    applySettingsChange([&](InputSettings& settings) {
        if (buttonNumber) {
            releaseTriggerButton(settings.macros, *buttonNumber, macroID);
        }
        firstWithID(settings.macros, macroID)->triggerButtonNumber = buttonNumber;
    });
}

void InputStudioViewModel::removeMacro(InputMacro macro)
{
    applySettingsChange([&](InputSettings& settings) {
        std::erase_if(settings.macros, [&](const InputMacro& m) { return m.id == macro.id; });
        for (auto& profile : settings.appProfiles) {
            std::erase_if(profile.macroBindings, [&](const auto& binding) { return binding.second == macro.id; });
        }
    });
    showToast(text("Deleted macro '" + macro.name + "'.", "'" + macro.name + "' makrosu silindi."), false);
}

void InputStudioViewModel::testMacro(InputMacro macro)
{
    if (m_interceptor->playMacro(macro, "ui-test")) {
        showToast(text("Triggered macro '" + macro.name + "'.", "'" + macro.name + "' makrosu çalıştırıldı."), false);
    } else {
        showToast(text("Macro could not start (disabled, invalid, or busy).",
                      "Makro başlatılamadı (devre dışı, geçersiz veya meşgul)."),
            true);
    }
}

} // namespace tarn::input
