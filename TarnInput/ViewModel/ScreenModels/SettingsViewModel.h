#pragma once

// The Settings screen's view model: the input permission's state, what keeps per-application
// profiles from following the application in front, launch at login, the interface language and
// the reset to defaults, with one typed operation each. The context and the operations must
// outlive it; main thread only.

#include <optional>

#include <QObject>

#include "TarnInput/ViewModel/Ports/ScreenModelContext.h"
#include "TarnInput/ViewModel/Ports/SettingsOperations.h"

namespace tarn::input {

class SettingsViewModel final : public QObject {
    Q_OBJECT

public:
    SettingsViewModel(ScreenModelContext& context, SettingsOperations& operations, QObject* parent = nullptr);

    TarnLanguage language() const;
    bool isAccessibilityGranted() const;
    bool launchAtLogin() const;
    // Absent while the workspace can tell which application is in front; asked anew each time.
    std::optional<WorkspaceLimitation> workspaceLimitation() const;
    // Where the interface language is stored, for the language picker.
    TarnLanguageSettings& languageSettings() const;

    void setLaunchAtLogin(bool enabled);
    // The picker has stored the choice already (or, following the system, keeps "system" stored
    // by holding persistence off while it calls here): this publishes the language and tells
    // every listener of the language settings.
    void chooseLanguage(TarnLanguage language);
    void resetToDefaults();

signals:
    void languageChanged();
    void isAccessibilityGrantedChanged();
    void launchAtLoginChanged();

private:
    ScreenModelContext& m_context;
    SettingsOperations& m_operations;
    Subscription m_languageChanges;
    Subscription m_accessibilityChanges;
    Subscription m_launchAtLoginChanges;
};

} // namespace tarn::input
