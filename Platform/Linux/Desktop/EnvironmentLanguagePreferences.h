#pragma once

// The user's preferred interface languages from the locale environment, as gettext reads it:
// the messages locale is the first set of LC_ALL, LC_MESSAGES and LANG, and unless it is "C" or
// "POSIX" the colon-separated LANGUAGE list comes before it. Locale names
// become language tags: "de_AT.UTF-8" gives "de-AT", "sr_RS@latin" gives "sr-Latn-RS".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TarnKit/Foundation/Identity/Environment.h"
#include "TarnKit/Localization/SystemLanguagePreferences.h"

namespace tarn {

class EnvironmentLanguagePreferences final : public SystemLanguagePreferences {
public:
    explicit EnvironmentLanguagePreferences(EnvironmentLookup lookup = processEnvironment);

    std::vector<std::string> preferredLanguages() const override;

    // "de_AT.UTF-8" -> "de-AT"; absent for "C", "POSIX" and names without a language.
    static std::optional<std::string> languageTagFromLocaleName(std::string_view localeName);

private:
    EnvironmentLookup m_lookup;
};

} // namespace tarn
