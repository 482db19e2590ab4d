#include "TarnKit/Localization/CompiledTemplate.h"

#include <gtest/gtest.h>

#include "TarnKit/Localization/LoadedLanguageCatalog.h"

namespace tarn {
namespace {

TEST(CompiledTemplateTest, CompilesOnlyWithPlaceholdersInOrderAndEnoughLiteralText)
{
    struct Case {
        const char* source;
        bool compiles;
        std::vector<std::string> literals;
        std::int64_t weight;
    };
    const Case cases[] = {
        {"{0}", false, {}, 0},
        {"a{0}", false, {}, 0},
        {"{0}{1}", false, {}, 0},
        {"no placeholder", false, {}, 0},
        {"{1} comes first", false, {}, 0},
        // One grapheme each: e + combining acute, and a thumb with a skin tone.
        {"e\xCC\x81{0}", false, {}, 0},
        {"\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD{0}", false, {}, 0},
        {"ab{0}", true, {"ab", ""}, 2},
        {"\xC3\xA7\xC3\xB6{0}", true, {"\xC3\xA7\xC3\xB6", ""}, 2},
        {"{0} of {1} devices", true, {"", " of ", " devices"}, 12},
        {"Move {0}{1} now", true, {"Move ", "", " now"}, 9},
        // "{1}" before "{0}" is plain text of the first literal.
        {"{1} x {0}", true, {"{1} x ", ""}, 6},
        {"{0} and {2}", true, {"", " and {2}"}, 8},
    };
    for (const auto& entry : cases) {
        const auto compiled = CompiledTemplate::compile(entry.source, "target");
        ASSERT_EQ(compiled.has_value(), entry.compiles) << entry.source;
        if (compiled) {
            EXPECT_EQ(compiled->sourceLiterals, entry.literals) << entry.source;
            EXPECT_EQ(compiled->literalWeight, entry.weight) << entry.source;
            EXPECT_EQ(compiled->placeholderCount, static_cast<std::int64_t>(entry.literals.size() - 1));
        }
    }
}

TEST(CompiledTemplateTest, AppliesByTheLiteralRules)
{
    struct Case {
        const char* source;
        const char* target;
        const char* text;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"Saved profile {0}.", "Profil {0} gespeichert.", "Saved profile Work.", "Profil Work gespeichert."},
        {"Saved profile {0}.", "Profil {0} gespeichert.", "Saved profile .", std::nullopt},
        {"Saved profile {0}.", "Profil {0} gespeichert.", "Saved profile Work!", std::nullopt},
        {"Saved profile {0}.", "Profil {0} gespeichert.", "Saved profil", std::nullopt},
        {"{0} of {1} devices", "{0} von {1} Geräten", "3 of 5 devices", "3 von 5 Geräten"},
        // The first occurrence of a middle literal ends the capture before it.
        {"{0} of {1} devices", "{0} von {1} Geräten", "1 of 2 of 3 devices", "1 von 2 of 3 Geräten"},
        {"{0} of {1} devices", "{0} von {1} Geräten", " of 5 devices", std::nullopt},
        {"{0} of {1} devices", "{0} von {1} Geräten", "3 of  devices", std::nullopt},
        // Captures go in as they stand; a "{1}" captured into "{0}" is not replaced again.
        {"{0} of {1} devices", "{0} von {1} Geräten", "{1} of x devices", "{1} von x Geräten"},
        {"{0} of {1} devices", "{1}/{0}/{0}/{7}/{01}", "a of b devices", "b/a/a/{7}/{01}"},
        // Adjacent placeholders have an empty middle literal: never applies.
        {"Move {0}{1} now", "{0}{1}", "Move ab now", std::nullopt},
        // First and last literal must not overlap.
        {"ab{0}ba", "x{0}", "aba", std::nullopt},
        // A capture never begins with a mark that belongs to the literal's last character.
        {"Open {0}",
            "\xC3\x96"
            "ffne {0}",
            "Open \xCC\x81x", std::nullopt},
        {"Open {0}",
            "\xC3\x96"
            "ffne {0}",
            "Open \xC3\xA9t\xC3\xA9",
            "\xC3\x96"
            "ffne \xC3\xA9t\xC3\xA9"},
    };
    for (const auto& entry : cases) {
        const auto compiled = CompiledTemplate::compile(entry.source, entry.target);
        ASSERT_TRUE(compiled) << entry.source;
        EXPECT_EQ(compiled->apply(entry.text), entry.expected) << entry.source << " <- " << entry.text;
    }
}

TEST(LoadedLanguageCatalogTest, IndexesTemplatesByFirstElseLastLiteral)
{
    const auto catalog = LoadedLanguageCatalog::build({},
        {
            {"Saved profile {0}.", "Profil {0} gespeichert."},
            {"{0} of {1} devices", "{0} von {1} Geräten"},
            {"ab{0}", "AB{0}"},
            {"{0} x", "{0} X"},
            {"{0} of {1}", "dropped: no literal at either end is long enough"},
            {"Skipped {0}", ""},
            {"{0}", "never compiles"},
        });
    ASSERT_EQ(catalog.byPrefix.size(), 2u);
    EXPECT_EQ(catalog.byPrefix.at("Sav").size(), 1u);
    EXPECT_EQ(catalog.byPrefix.at("ab").size(), 1u);
    ASSERT_EQ(catalog.bySuffix.size(), 2u);
    EXPECT_EQ(catalog.bySuffix.at("ces").size(), 1u);
    EXPECT_EQ(catalog.bySuffix.at(" x").size(), 1u);

    EXPECT_EQ(catalog.lookup(std::nullopt, "Saved profile Home."), "Profil Home gespeichert.");
    EXPECT_EQ(catalog.lookup(std::nullopt, "2 of 4 devices"), "2 von 4 Geräten");
    EXPECT_EQ(catalog.lookup(std::nullopt, "abc"), "ABc");
    EXPECT_EQ(catalog.lookup(std::nullopt, "yes x"), "yes X");
    EXPECT_EQ(catalog.lookup(std::nullopt, "Skipped it"), std::nullopt);
    EXPECT_EQ(catalog.lookup(std::nullopt, "1 of 2"), std::nullopt);
}

TEST(LoadedLanguageCatalogTest, ExactEntriesFirstThenHeaviestTemplate)
{
    const auto catalog = LoadedLanguageCatalog::build(
        {
            {"Settings", "Einstellungen"},
            {"settings.title", "Einstellungen (Titel)"},
            {"Empty", ""},
            {"ok", "gut"},
            {"Saved profile Work.", "Arbeitsprofil gespeichert."},
        },
        {
            {"Saved {0}", "{0} gespeichert"},
            {"Saved profile {0}.", "Profil {0} gespeichert."},
            {"o{0}", "never: weight below 2"},
            {"ok{0}", "OK{0}"},
        });
    EXPECT_EQ(catalog.lookup("settings.title", "Settings"), "Einstellungen (Titel)");
    EXPECT_EQ(catalog.lookup("missing.key", "Settings"), "Einstellungen");
    EXPECT_EQ(catalog.lookup(std::nullopt, "Empty"), std::nullopt);
    EXPECT_EQ(catalog.lookup(std::nullopt, "Saved profile Work."), "Arbeitsprofil gespeichert.");
    EXPECT_EQ(catalog.lookup(std::nullopt, "Saved profile Home."), "Profil Home gespeichert.");
    EXPECT_EQ(catalog.lookup(std::nullopt, "Saved notes"), "notes gespeichert");
    // Two characters are only ever translated by an exact entry.
    EXPECT_EQ(catalog.lookup(std::nullopt, "ok"), "gut");
    EXPECT_EQ(catalog.lookup(std::nullopt, "oka"), "OKa");
    EXPECT_EQ(catalog.lookup(std::nullopt, "ox"), std::nullopt);
    EXPECT_TRUE(LoadedLanguageCatalog::empty().isEmpty());
    EXPECT_EQ(LoadedLanguageCatalog::empty().lookup("k", "Settings"), std::nullopt);
}

} // namespace
} // namespace tarn
