#include "Platform/Linux/Desktop/EnvironmentLanguagePreferences.h"

#include <map>

#include <gtest/gtest.h>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {
namespace {

EnvironmentLookup environment(std::map<std::string, std::string> variables)
{
    return [variables = std::move(variables)](std::string_view name) -> std::optional<std::string> {
        const auto found = variables.find(std::string(name));
        if (found == variables.end()) {
            return std::nullopt;
        }
        return found->second;
    };
}

TEST(EnvironmentLanguagePreferencesTest, LocaleNamesBecomeLanguageTags)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"de_AT.UTF-8", "de-AT"},
        {"de", "de"},
        {"pt_BR", "pt-BR"},
        {"zh_TW.Big5", "zh-TW"},
        {"sr_RS@latin", "sr-Latn-RS"},
        {"sr_RS.UTF-8@latin", "sr-Latn-RS"},
        {"uz_UZ@cyrillic", "uz-Cyrl-UZ"},
        {"ca_ES.UTF-8@valencia", "ca-ES"},
        {"de_DE@euro", "de-DE"},
        {" en_GB.UTF-8 ", "en-GB"},
        {"C", std::nullopt},
        {"C.UTF-8", std::nullopt},
        {"POSIX", std::nullopt},
        {"", std::nullopt},
        {".UTF-8", std::nullopt},
        {"12_34", std::nullopt},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(EnvironmentLanguagePreferences::languageTagFromLocaleName(name), expected) << name;
    }
}

TEST(EnvironmentLanguagePreferencesTest, ReadsLanguageListThenTheMessagesLocale)
{
    struct Case {
        std::map<std::string, std::string> variables;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{{"LANG", "de_AT.UTF-8"}}, {"de-AT"}},
        {{{"LANGUAGE", "sr@latin:fr_CA::de"}, {"LANG", "en_US.UTF-8"}}, {"sr-Latn", "fr-CA", "de", "en-US"}},
        // LC_ALL beats LC_MESSAGES beats LANG; empty variables do not count.
        {{{"LC_ALL", "fi_FI.UTF-8"}, {"LC_MESSAGES", "sv_SE.UTF-8"}, {"LANG", "da_DK.UTF-8"}}, {"fi-FI"}},
        {{{"LC_ALL", ""}, {"LC_MESSAGES", "sv_SE.UTF-8"}, {"LANG", "da_DK.UTF-8"}}, {"sv-SE"}},
        // Under "C" or "POSIX" (or no locale at all) nothing is translated, LANGUAGE or not.
        {{{"LANGUAGE", "de"}, {"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}, {}},
        {{{"LANGUAGE", "de"}, {"LANG", "POSIX"}}, {}},
        {{{"LANGUAGE", "de"}}, {}},
        {{}, {}},
        // C.UTF-8 names no language but is a real locale: LANGUAGE counts.
        {{{"LANGUAGE", "nb_NO:de"}, {"LANG", "C.UTF-8"}}, {"nb-NO", "de"}},
        {{{"LANGUAGE", "de_DE:de_DE"}, {"LANG", "de_DE.UTF-8"}}, {"de-DE"}},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(EnvironmentLanguagePreferences(environment(entry.variables)).preferredLanguages(), entry.expected);
    }
}

TEST(EnvironmentLanguagePreferencesTest, SerbianLatinFallsThroughToTheNextLanguage)
{
    const EnvironmentLanguagePreferences preferences(
        environment({{"LANGUAGE", "sr_RS@latin:de_AT"}, {"LANG", "sr_RS.UTF-8@latin"}}));
    EXPECT_EQ(resolveTarnLanguage(preferences.preferredLanguages()), TarnLanguage::de);
}

} // namespace
} // namespace tarn
