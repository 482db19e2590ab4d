#pragma once

// The one place where the user's interface-language choice lives: the defaults key
// "com.harrowfen.preferredLanguage" (a language code, or "system" to follow the desktop's
// preferred languages). Every change is announced with "com.harrowfen.languageDidChange".
//
// The program uses the process-wide instance, shared(), and wires its defaults store and system
// preferences once at start-up with configure(); tests build their own instance from fakes.
// Every function may be called from any thread; change notices are posted synchronously on the
// calling thread.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Basics/NotificationCenter.h"
#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Foundation/Ports/DefaultsStore.h"
#include "TarnKit/Localization/SystemLanguagePreferences.h"
#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/Localization/TarnLanguagePersistenceGuard.h"
#include "TarnKit/Localization/TarnLanguageSelection.h"
#include "TarnKit/Localization/TarnLocalizationStore.h"

namespace tarn {

class TarnLanguageSettings final {
public:
    // A missing defaults store reads as "system" and keeps no choice; missing system preferences
    // resolve to English.
    TarnLanguageSettings(std::shared_ptr<DefaultsStore> defaults,
        std::shared_ptr<const SystemLanguagePreferences> systemPreferences,
        NotificationCenter& notifications = NotificationCenter::shared(),
        TarnLocalizationStore& store = TarnLocalizationStore::shared());
    TarnLanguageSettings(const TarnLanguageSettings&) = delete;
    TarnLanguageSettings& operator=(const TarnLanguageSettings&) = delete;

    // The process-wide instance: the shared notification center and localization store, and
    // until configure() runs no defaults store and no system preferences.
    static TarnLanguageSettings& shared();
    // Called once at start-up by the program with its real adapters.
    void configure(
        std::shared_ptr<DefaultsStore> defaults, std::shared_ptr<const SystemLanguagePreferences> systemPreferences);

    // The stored choice, trimmed; "system" when nothing (or only blanks) is stored.
    std::string storedPreferenceCode() const;
    bool isFollowingSystem() const;
    // The first of the system's preferred languages that matches a language; English otherwise.
    TarnLanguage systemResolved() const;
    // The effective language, recomputed on every call: the stored code when it matches a
    // language, otherwise the system-resolved one.
    TarnLanguage current() const;
    // `system` while following the system, otherwise the current language.
    TarnLanguageSelection currentSelection() const;

    // Stores `language` as the explicit choice (unless a follow-the-system body is running),
    // preloads its pack and posts the change notice, on every call.
    void setCurrent(TarnLanguage language);
    // Stores "system", preloads the system-resolved language and posts the change notice.
    void setFollowSystem();
    // setFollowSystem(), then runs `body` with persistence suppressed, so that a selection
    // callback inside it that calls setCurrent() does not overwrite the stored "system".
    void applyFollowSystem(const std::function<void()>& body);

    TarnLanguagePersistenceGuard& persistenceGuard() { return m_guard; }

    // Reads a stored language leniently (see tarnLanguageFromJson) against this system.
    TarnLanguage decode(const nlohmann::json& value) const;

    // Calls `handler` with the new language on every change notice of this instance's center.
    Subscription observeChanges(std::function<void(TarnLanguage)> handler);

private:
    struct Ports {
        std::shared_ptr<DefaultsStore> defaults;
        std::shared_ptr<const SystemLanguagePreferences> systemPreferences;
    };

    Ports ports() const;
    void announce(TarnLanguage language);

    mutable std::mutex m_portsLock;
    Ports m_ports;
    NotificationCenter& m_notifications;
    TarnLocalizationStore& m_store;
    TarnLanguagePersistenceGuard m_guard;
};

// The language carried by a "com.harrowfen.languageDidChange" notice.
std::optional<TarnLanguage> tarnLanguageFromNotification(const Notification& notification);

} // namespace tarn
