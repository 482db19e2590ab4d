#include "Platform/Linux/Desktop/EnvironmentLanguagePreferences.h"

#include <algorithm>

namespace tarn {
namespace {

bool isAsciiAlpha(char character)
{
    return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
}

bool isAsciiAlnum(char character)
{
    return isAsciiAlpha(character) || (character >= '0' && character <= '9');
}

std::string_view trimmedAscii(std::string_view text)
{
    const auto isBlank = [](char character) {
        return character == ' ' || character == '\t' || character == '\n' || character == '\r';
    };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The script subtag a glibc locale modifier stands for; other modifiers ("euro",
// "valencia") say nothing about the interface language and are dropped.
std::optional<std::string_view> scriptForModifier(std::string_view modifier)
{
    if (modifier == "latin") {
        return "Latn";
    }
    if (modifier == "cyrillic") {
        return "Cyrl";
    }
    if (modifier == "devanagari") {
        return "Deva";
    }
    return std::nullopt;
}

std::optional<std::string> nonEmpty(const EnvironmentLookup& lookup, std::string_view name)
{
    auto value = lookup(name);
    if (!value || trimmedAscii(*value).empty()) {
        return std::nullopt;
    }
    return std::string(trimmedAscii(*value));
}

} // namespace

EnvironmentLanguagePreferences::EnvironmentLanguagePreferences(EnvironmentLookup lookup)
    : m_lookup(std::move(lookup))
{
}

std::optional<std::string> EnvironmentLanguagePreferences::languageTagFromLocaleName(std::string_view localeName)
{
    std::string_view name = trimmedAscii(localeName);
    std::string_view modifier;
    if (const auto at = name.find('@'); at != std::string_view::npos) {
        modifier = name.substr(at + 1);
        name = name.substr(0, at);
    }
    if (const auto dot = name.find('.'); dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    if (name.empty() || name == "C" || name == "POSIX") {
        return std::nullopt;
    }
    std::string_view language = name;
    std::string_view region;
    if (const auto separator = name.find_first_of("_-"); separator != std::string_view::npos) {
        language = name.substr(0, separator);
        region = name.substr(separator + 1);
    }
    if (language.empty() || !std::all_of(language.begin(), language.end(), isAsciiAlpha)) {
        return std::nullopt;
    }
    std::string tag(language);
    if (auto script = scriptForModifier(modifier)) {
        tag += '-';
        tag += *script;
    }
    if (!region.empty()
        && std::all_of(region.begin(), region.end(), [](char c) { return isAsciiAlnum(c) || c == '_' || c == '-'; })) {
        tag += '-';
        for (const char character : region) {
            tag += character == '_' ? '-' : character;
        }
    }
    return tag;
}

std::vector<std::string> EnvironmentLanguagePreferences::preferredLanguages() const
{
    std::optional<std::string> messagesLocale;
    for (std::string_view variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if ((messagesLocale = nonEmpty(m_lookup, variable))) {
            break;
        }
    }
    // Like gettext: under the plain "C" or "POSIX" locale (also when no locale is set at all) the
    // program runs untranslated, whatever LANGUAGE says. "C.UTF-8" is a real locale that names no
    // language, so LANGUAGE still counts there.
    if (!messagesLocale || *messagesLocale == "C" || *messagesLocale == "POSIX") {
        return {};
    }

    std::vector<std::string> tags;
    const auto add = [&tags](std::string tag) {
        if (std::find(tags.begin(), tags.end(), tag) == tags.end()) {
            tags.push_back(std::move(tag));
        }
    };
    if (auto list = nonEmpty(m_lookup, "LANGUAGE")) {
        std::string_view rest = *list;
        while (!rest.empty()) {
            const auto colon = rest.find(':');
            if (auto tag = languageTagFromLocaleName(rest.substr(0, colon))) {
                add(std::move(*tag));
            }
            rest = colon == std::string_view::npos ? std::string_view {} : rest.substr(colon + 1);
        }
    }
    if (auto localeTag = languageTagFromLocaleName(*messagesLocale)) {
        add(std::move(*localeTag));
    }
    return tags;
}

} // namespace tarn
