#pragma once

// The view model of the Profiles & Macro screen: the per-application profiles with the one that
// applies to the frontmost application, and the macro library, with one typed operation each.
// Every change goes through the studio's settings path; a macro test plays through the engine.
// The studio state must outlive it; main thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QObject>

#include "TarnInput/ViewModel/Ports/FrontmostApp.h"
#include "TarnInput/ViewModel/Ports/MacroTrial.h"
#include "TarnInput/ViewModel/Ports/RunningAppsSource.h"
#include "TarnInput/ViewModel/Ports/ScreenModelContext.h"

namespace tarn::input {

class ProfilesViewModel final : public QObject {
    Q_OBJECT

public:
    ProfilesViewModel(ScreenModelContext& context, FrontmostApp& frontmost, const RunningAppsSource& apps,
        MacroTrial& macros, QObject* parent = nullptr);

    TarnLanguage language() const;
    const InputSettings& settings() const;
    const std::optional<std::string>& activeFrontmostBundleID() const;
    const std::string& activeFrontmostAppName() const;
    const std::optional<std::string>& activeProfileName() const;
    const EffectiveInputResolution& activeResolution() const;
    // Running applications with an id and a name, sorted by name in the interface language.
    std::vector<RunningApplication> runningDesktopApps() const;

    // Only newly typed ids and names are trimmed; duplicate tests ignore case. Records are found by
    // `id`: updates change the first match, removals remove every match.
    // Records and texts are taken by value: the change itself may rebuild the list they came from.
    void addProfileTemplate(AppInputProfile profileTemplate);
    void addProfile(std::string bundleID, std::string appName);
    void updateProfile(AppInputProfile profile);
    void removeProfile(AppInputProfile profile);
    void addMacroPreset(InputMacro preset);
    // False (with an error toast) when the macro is not valid; nothing is stored then.
    bool saveMacro(InputMacro macro);
    void toggleMacro(InputMacro macro);
    // One button triggers at most one macro: giving a button to this macro takes it from others.
    void setMacroTriggerButton(Uuid macroID, std::optional<std::int64_t> buttonNumber);
    // Also drops the macro's bindings from every profile.
    void removeMacro(InputMacro macro);
    // Plays the macro once without saving anything.
    void testMacro(InputMacro macro);
    // About how long the macro plays, in milliseconds.
    static std::int64_t estimatedDurationMs(const InputMacro& macro);

signals:
    void languageChanged();
    void settingsChanged();
    void activeFrontmostBundleIDChanged();
    void activeFrontmostAppNameChanged();
    void activeProfileNameChanged();
    void activeResolutionChanged();

private:
    // The English or Turkish text in the current language.
    std::string text(std::string_view en, std::string_view tr) const;

    ScreenModelContext& m_context;
    FrontmostApp& m_frontmost;
    const RunningAppsSource& m_apps;
    MacroTrial& m_macros;
    Subscription m_languageChanges;
    Subscription m_settingsChanges;
    Subscription m_bundleIDChanges;
    Subscription m_appNameChanges;
    Subscription m_profileChanges;
    Subscription m_resolutionChanges;
};

} // namespace tarn::input
