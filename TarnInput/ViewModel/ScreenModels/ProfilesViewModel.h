#pragma once

// The view model of the Profiles & Macro screen: the per-application profiles with the one that
// applies to the frontmost application, and the macro library, with one typed operation each.
// Every change goes through the studio's settings path; a macro test plays through the engine.
// The studio state must outlive it; main thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QObject>

#include "TarnInputCore/Model/Profiles/EffectiveInputResolution.h"
#include "TarnInputCore/Model/Profiles/RunningApplication.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn::input {

class InputStudioViewModel;

class ProfilesViewModel final : public QObject {
    Q_OBJECT

public:
    explicit ProfilesViewModel(InputStudioViewModel& studio, QObject* parent = nullptr);

    TarnLanguage language() const;
    const InputSettings& settings() const;
    const std::optional<std::string>& activeFrontmostBundleID() const;
    const std::string& activeFrontmostAppName() const;
    const std::optional<std::string>& activeProfileName() const;
    const EffectiveInputResolution& activeResolution() const;
    // Running applications with an id and a name, sorted by name in the interface language.
    std::vector<RunningApplication> runningDesktopApps() const;

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
    InputStudioViewModel& m_studio;
};

} // namespace tarn::input
