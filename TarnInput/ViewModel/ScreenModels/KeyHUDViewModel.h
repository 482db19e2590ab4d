#pragma once

// The KeyHUD screen's view model: the presentation overlays' settings (the keystroke pill and the
// click ripple) with one typed operation each, the preview, and the newest lines of what the
// engine did. Every change goes through the studio's settings path. The studio state must outlive
// it; main thread only.

#include <string>
#include <vector>

#include <QObject>

#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn::input {

class InputStudioViewModel;

class KeyHUDViewModel final : public QObject {
    Q_OBJECT

public:
    explicit KeyHUDViewModel(InputStudioViewModel& studio, QObject* parent = nullptr);

    TarnLanguage language() const;
    const InputSettings& settings() const;
    // "[<time>] <what the engine did>", newest first.
    const std::vector<std::string>& recentEvents() const;

    void setKeyHUDEnabled(bool enabled);
    void setClickRippleEnabled(bool enabled);
    void setShortcutsOnly(bool shortcutsOnly);
    void setHideInSecureFields(bool hide);
    void setPosition(KeyHUDPosition position);
    void setDurationSeconds(double seconds);
    // Shows a sample key token and a ripple at the pointer, whatever the settings.
    void preview();

signals:
    void languageChanged();
    void settingsChanged();
    void recentEventsChanged();

private:
    InputStudioViewModel& m_studio;
};

} // namespace tarn::input
