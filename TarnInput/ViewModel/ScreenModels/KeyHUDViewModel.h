#pragma once

// The KeyHUD screen's view model: the presentation overlays' settings (the keystroke pill and the
// click ripple) with one typed operation each, the preview, and the newest lines of what the
// engine did. Every change goes through the settings path it is given; the context and the feed
// must outlive it. Main thread only.

#include <string>
#include <vector>

#include <QObject>

#include "TarnInput/ViewModel/Ports/KeyHUDFeed.h"
#include "TarnInput/ViewModel/Ports/ScreenModelContext.h"
#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"

namespace tarn::input {

class KeyHUDViewModel final : public QObject {
    Q_OBJECT

public:
    KeyHUDViewModel(ScreenModelContext& context, KeyHUDFeed& feed, QObject* parent = nullptr);

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
    ScreenModelContext& m_context;
    KeyHUDFeed& m_feed;
    Subscription m_languageChanges;
    Subscription m_settingsChanges;
    Subscription m_eventChanges;
};

} // namespace tarn::input
