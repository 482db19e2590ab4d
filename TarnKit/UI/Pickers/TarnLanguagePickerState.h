#pragma once

// What the two language pickers share: whether the user follows the system language (re-read from
// the stored choice each time a picker appears), the rows they offer and what choosing a row does.
// Choosing drives the language settings first and only then tells the owner, so an owner that
// stores the language it is handed cannot overwrite a follow-the-system choice.

#include <functional>
#include <string>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/Localization/TarnLanguageSelection.h"

namespace tarn {

class TarnLanguageSettings;

class TarnLanguagePickerState {
public:
    using OnSelect = std::function<void(TarnLanguage)>;

    explicit TarnLanguagePickerState(TarnLanguageSettings& settings);

    TarnLanguageSettings& settings() const { return m_settings; }
    bool isFollowingSystem() const { return m_isFollowingSystem; }
    // Re-reads the stored choice; true when that changed what the picker shows.
    bool syncFromDefaults();

    // `system` while following the system, otherwise the owner's language.
    TarnLanguageSelection selection(TarnLanguage ownerLanguage) const;

    // "System Language (Deutsch)": the row's title in the interface language, then the native
    // name of the language the system resolves to.
    std::string systemRowLabel(TarnLanguage interfaceLanguage) const;

    // Stores "system", then hands the system-resolved language to `onSelect` with persistence
    // suppressed.
    void chooseSystem(const OnSelect& onSelect);
    // Stores `language`, then hands it to `onSelect`.
    void chooseLanguage(TarnLanguage language, const OnSelect& onSelect);
    // A row's code: "system" or a language's raw value; an unknown code chooses nothing.
    void chooseCode(const std::string& code, const OnSelect& onSelect);

private:
    TarnLanguageSettings& m_settings;
    bool m_isFollowingSystem;
};

} // namespace tarn
