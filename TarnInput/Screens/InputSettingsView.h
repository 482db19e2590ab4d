#pragma once

// The studio's Settings tab: the settings of the program rather than of the input: whether it
// may read and post input (with the way to grant that), launch at login, the interface language,
// and restoring every input setting to its default. It keeps no state of its own: it shows the
// view model's permission, login and language fields and calls the view model's operations.
// The view model must outlive it; build it on the main thread.

#include <QColor>

#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnKit/Localization/TarnLanguage.h"

class QCheckBox;
class QLabel;

namespace tarn {
class TarnGlassButton;
class TarnLanguagePicker;
} // namespace tarn

namespace tarn::input {

class SettingsViewModel;
class SymbolLabel;

class InputSettingsView : public ScreenPage {
    Q_OBJECT

public:
    // `accent` marks the current row of the language menu.
    InputSettingsView(SettingsViewModel& viewModel, QColor accent, QWidget* parent = nullptr);

private:
    QWidget* buildCard();
    void openPermissionHelp();
    void chooseLanguage(TarnLanguage language);
    void syncTexts();
    void syncPermission();
    void syncLaunchAtLogin();

    SettingsViewModel& m_viewModel;

    QLabel* m_title = nullptr;
    SymbolLabel* m_permission = nullptr;
    TarnGlassButton* m_permissionHelp = nullptr;
    QCheckBox* m_launchAtLogin = nullptr;
    QLabel* m_languageCaption = nullptr;
    TarnLanguagePicker* m_languagePicker = nullptr;
    TarnGlassButton* m_restoreDefaults = nullptr;
};

} // namespace tarn::input
