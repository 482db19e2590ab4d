#pragma once

// The Settings screen's view model: the input permission's state, launch at login, the interface
// language and the reset to defaults, with one typed operation each. The studio state must
// outlive it; main thread only.

#include <QObject>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"

namespace tarn::input {

class InputStudioViewModel;

class SettingsViewModel final : public QObject {
    Q_OBJECT

public:
    explicit SettingsViewModel(InputStudioViewModel& studio, QObject* parent = nullptr);

    TarnLanguage language() const;
    bool isAccessibilityGranted() const;
    bool launchAtLogin() const;
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
    InputStudioViewModel& m_studio;
};

} // namespace tarn::input
