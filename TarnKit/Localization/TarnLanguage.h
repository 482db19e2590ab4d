#pragma once

// The interface languages, in their fixed order, with their codes, names, writing direction and
// parent language, and the rules that turn any language tag ("de-AT", "pt_br", "zh-Hant-TW") into
// one of them. Everything here is a pure function; the user's stored choice and the system's
// preferred languages live in TarnLanguageSettings.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace tarn {

enum class TarnLanguage : std::uint8_t {
    ar,
    az,
    bg,
    ca,
    cs,
    da,
    de,
    el,
    en,
    es,
    fa,
    fi,
    fr,
    he,
    hi,
    hr,
    hu,
    id,
    it,
    ja,
    ko,
    ms,
    nb,
    nl,
    pl,
    ptBR,
    ptPT,
    ro,
    ru,
    sk,
    sv,
    th,
    tr,
    uk,
    vi,
    zhHans,
    zhHant,
};

inline constexpr std::size_t kTarnLanguageCount = 37;

enum class TarnLayoutDirection { leftToRight, rightToLeft };

// The key in the defaults store that holds the user's choice: a language code or "system".
inline constexpr std::string_view kTarnLanguageDefaultsKey = "com.harrowfen.preferredLanguage";
// The stored value that means: follow the system's preferred languages.
inline constexpr std::string_view kTarnLanguageSystemPreferenceCode = "system";
// Posted on every language change; the notification's userInfo is {"language": "<code>"}.
inline constexpr std::string_view kTarnLanguageDidChangeNotification = "com.harrowfen.languageDidChange";

// All languages in declaration order (the order of every list built from them).
const std::array<TarnLanguage, kTarnLanguageCount>& allTarnLanguages();
// All languages sorted by English name, case-insensitively in English collation (stable).
const std::array<TarnLanguage, kTarnLanguageCount>& sortedTarnLanguages();

// The language code: "de", "pt-BR", "zh-Hans". It is also the language's id, its locale
// identifier, its JSON form and the name of its pack files.
std::string_view rawValue(TarnLanguage language);
// Exact, case-sensitive raw value; anything else is absent (use matchTarnLanguage for tags).
std::optional<TarnLanguage> tarnLanguageFromRawValue(std::string_view raw);

std::string_view nativeName(TarnLanguage language);
std::string_view englishName(TarnLanguage language);
// "English" for English; otherwise native name plus English name in parentheses: "Deutsch (German)".
std::string displayName(TarnLanguage language);
// Upper-cased code ("EN", "NB"), except "PT", "PT-PT", "ZH" and "ZH-TW" for the four regional cases.
std::string_view shortCode(TarnLanguage language);
bool isRTL(TarnLanguage language);
TarnLayoutDirection layoutDirection(TarnLanguage language);
// The locale identifier (the raw value), for formatting numbers and dates in this language.
std::string_view localeIdentifier(TarnLanguage language);
// The language whose texts stand in before English: pt-BR for pt-PT, zh-Hans for zh-Hant.
std::optional<TarnLanguage> fallbackParent(TarnLanguage language);

// Maps a language tag (a stored code or an entry of the system's preferred languages) to a
// language: exact codes first, then the Chinese, Portuguese and Norwegian rules, the old codes
// "iw" and "in", then the primary subtag. "fil", "sr" or "x" match nothing.
std::optional<TarnLanguage> matchTarnLanguage(std::string_view tag);
// The first tag that matches, in order; English when none does.
TarnLanguage resolveTarnLanguage(std::span<const std::string> tags);

// The JSON form: the raw value as one string.
nlohmann::json toJson(TarnLanguage language);
// Lenient reading of a stored language: a non-string counts as "", the text is trimmed, and ""
// or "system" (any case) or a tag that matches nothing gives `systemResolved`.
TarnLanguage tarnLanguageFromJson(const nlohmann::json& value, TarnLanguage systemResolved);

} // namespace tarn
