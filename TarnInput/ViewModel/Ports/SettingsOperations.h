#pragma once

// What the Settings screen reads and asks of the program beyond the settings value: the input
// permission, launch at login, what keeps profiles from following the application in front, the
// stored interface language and the reset to defaults. Observers run on the main thread after
// each change; an observer stays registered while its subscription lives. Main thread only.

#include <functional>
#include <optional>

#include "TarnInputCore/Model/Profiles/WorkspaceLimitation.h"
#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"

namespace tarn::input {

class SettingsOperations {
public:
    virtual ~SettingsOperations() = default;

    virtual bool isAccessibilityGranted() const = 0;
    virtual Subscription observeAccessibilityGranted(std::function<void()> observer) = 0;
    virtual bool launchAtLogin() const = 0;
    virtual Subscription observeLaunchAtLogin(std::function<void()> observer) = 0;
    virtual void toggleLaunchAtLogin(bool enabled) = 0;
    // Absent while the workspace can tell which application is in front; asked anew each time.
    virtual std::optional<WorkspaceLimitation> workspaceLimitation() const = 0;
    // Where the interface language is stored, for the language picker.
    virtual TarnLanguageSettings& languageSettings() const = 0;
    // Publishes the language the picker chose; the picker itself stores the choice.
    virtual void setLanguage(TarnLanguage language) = 0;
    virtual void resetToDefaults() = 0;
};

} // namespace tarn::input
