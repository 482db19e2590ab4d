#include "TarnKit/Localization/TarnLanguage.h"

#include <algorithm>
#include <memory>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "TarnKit/Foundation/Basics/EnumTable.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

struct LanguageInfo {
    TarnLanguage value;
    std::string_view raw;
    std::string_view lowercasedRawValue;
    std::string_view nativeName;
    std::string_view englishName;
    std::string_view shortCode;
};

constexpr EnumTable kLanguages {std::to_array<LanguageInfo>({
    {TarnLanguage::ar, "ar", "ar", "العربية", "Arabic", "AR"},
    {TarnLanguage::az, "az", "az", "Azərbaycanca", "Azerbaijani", "AZ"},
    {TarnLanguage::bg, "bg", "bg", "Български", "Bulgarian", "BG"},
    {TarnLanguage::ca, "ca", "ca", "Català", "Catalan", "CA"},
    {TarnLanguage::cs, "cs", "cs", "Čeština", "Czech", "CS"},
    {TarnLanguage::da, "da", "da", "Dansk", "Danish", "DA"},
    {TarnLanguage::de, "de", "de", "Deutsch", "German", "DE"},
    {TarnLanguage::el, "el", "el", "Ελληνικά", "Greek", "EL"},
    {TarnLanguage::en, "en", "en", "English", "English", "EN"},
    {TarnLanguage::es, "es", "es", "Español", "Spanish", "ES"},
    {TarnLanguage::fa, "fa", "fa", "فارسی", "Persian", "FA"},
    {TarnLanguage::fi, "fi", "fi", "Suomi", "Finnish", "FI"},
    {TarnLanguage::fr, "fr", "fr", "Français", "French", "FR"},
    {TarnLanguage::he, "he", "he", "עברית", "Hebrew", "HE"},
    {TarnLanguage::hi, "hi", "hi", "हिन्दी", "Hindi", "HI"},
    {TarnLanguage::hr, "hr", "hr", "Hrvatski", "Croatian", "HR"},
    {TarnLanguage::hu, "hu", "hu", "Magyar", "Hungarian", "HU"},
    {TarnLanguage::id, "id", "id", "Bahasa Indonesia", "Indonesian", "ID"},
    {TarnLanguage::it, "it", "it", "Italiano", "Italian", "IT"},
    {TarnLanguage::ja, "ja", "ja", "日本語", "Japanese", "JA"},
    {TarnLanguage::ko, "ko", "ko", "한국어", "Korean", "KO"},
    {TarnLanguage::ms, "ms", "ms", "Bahasa Melayu", "Malay", "MS"},
    {TarnLanguage::nb, "nb", "nb", "Norsk Bokmål", "Norwegian Bokmål", "NB"},
    {TarnLanguage::nl, "nl", "nl", "Nederlands", "Dutch", "NL"},
    {TarnLanguage::pl, "pl", "pl", "Polski", "Polish", "PL"},
    {TarnLanguage::ptBR, "pt-BR", "pt-br", "Português (Brasil)", "Portuguese (Brazil)", "PT"},
    {TarnLanguage::ptPT, "pt-PT", "pt-pt", "Português (Portugal)", "Portuguese (Portugal)", "PT-PT"},
    {TarnLanguage::ro, "ro", "ro", "Română", "Romanian", "RO"},
    {TarnLanguage::ru, "ru", "ru", "Русский", "Russian", "RU"},
    {TarnLanguage::sk, "sk", "sk", "Slovenčina", "Slovak", "SK"},
    {TarnLanguage::sv, "sv", "sv", "Svenska", "Swedish", "SV"},
    {TarnLanguage::th, "th", "th", "ไทย", "Thai", "TH"},
    {TarnLanguage::tr, "tr", "tr", "Türkçe", "Turkish", "TR"},
    {TarnLanguage::uk, "uk", "uk", "Українська", "Ukrainian", "UK"},
    {TarnLanguage::vi, "vi", "vi", "Tiếng Việt", "Vietnamese", "VI"},
    {TarnLanguage::zhHans, "zh-Hans", "zh-hans", "简体中文", "Chinese (Simplified)", "ZH"},
    {TarnLanguage::zhHant, "zh-Hant", "zh-hant", "繁體中文", "Chinese (Traditional)", "ZH-TW"},
})};
static_assert(kLanguages.rows().size() == kTarnLanguageCount);

const LanguageInfo& info(TarnLanguage language)
{
    return kLanguages[language];
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.starts_with(prefix);
}
bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

std::optional<TarnLanguage> byLowercasedRawValue(std::string_view lowered)
{
    for (const auto& entry : kLanguages.rows()) {
        if (entry.lowercasedRawValue == lowered) {
            return entry.value;
        }
    }
    return std::nullopt;
}

} // namespace

const std::array<TarnLanguage, kTarnLanguageCount>& allTarnLanguages()
{
    static const auto languages = [] {
        std::array<TarnLanguage, kTarnLanguageCount> result {};
        for (std::size_t index = 0; index < kLanguages.rows().size(); ++index) {
            result[index] = kLanguages.rows()[index].value;
        }
        return result;
    }();
    return languages;
}

const std::array<TarnLanguage, kTarnLanguageCount>& sortedTarnLanguages()
{
    static const auto languages = [] {
        auto result = allTarnLanguages();
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale::getEnglish(), status));
        if (U_SUCCESS(status) && collator) {
            // Secondary strength: accents count, letter case does not.
            collator->setStrength(icu::Collator::SECONDARY);
            std::stable_sort(result.begin(), result.end(), [&](TarnLanguage left, TarnLanguage right) {
                UErrorCode compareStatus = U_ZERO_ERROR;
                const auto leftName = englishName(left);
                const auto rightName = englishName(right);
                return collator->compareUTF8(icu::StringPiece(leftName.data(), static_cast<int32_t>(leftName.size())),
                           icu::StringPiece(rightName.data(), static_cast<int32_t>(rightName.size())), compareStatus)
                    == UCOL_LESS;
            });
        } else {
            std::stable_sort(result.begin(), result.end(), [](TarnLanguage left, TarnLanguage right) {
                return UnicodeText::lowercased(englishName(left)) < UnicodeText::lowercased(englishName(right));
            });
        }
        return result;
    }();
    return languages;
}

std::string_view rawValue(TarnLanguage language)
{
    return info(language).raw;
}

std::optional<TarnLanguage> tarnLanguageFromRawValue(std::string_view raw)
{
    return kLanguages.fromRaw(raw);
}

std::string_view nativeName(TarnLanguage language)
{
    return info(language).nativeName;
}

std::string_view englishName(TarnLanguage language)
{
    return info(language).englishName;
}

std::string displayName(TarnLanguage language)
{
    const auto& entry = info(language);
    if (UnicodeText::lowercased(entry.nativeName) == UnicodeText::lowercased(entry.englishName)) {
        return std::string(entry.nativeName);
    }
    std::string result(entry.nativeName);
    result += " (";
    result += entry.englishName;
    result += ')';
    return result;
}

std::string_view shortCode(TarnLanguage language)
{
    return info(language).shortCode;
}

bool isRTL(TarnLanguage language)
{
    return language == TarnLanguage::ar || language == TarnLanguage::fa || language == TarnLanguage::he;
}

TarnLayoutDirection layoutDirection(TarnLanguage language)
{
    return isRTL(language) ? TarnLayoutDirection::rightToLeft : TarnLayoutDirection::leftToRight;
}

std::string_view localeIdentifier(TarnLanguage language)
{
    return rawValue(language);
}

std::optional<TarnLanguage> fallbackParent(TarnLanguage language)
{
    switch (language) {
    case TarnLanguage::ptPT:
        return TarnLanguage::ptBR;
    case TarnLanguage::zhHant:
        return TarnLanguage::zhHans;
    default:
        return std::nullopt;
    }
}

std::optional<TarnLanguage> matchTarnLanguage(std::string_view tag)
{
    std::string normalized = UnicodeText::trimmed(tag);
    std::replace(normalized.begin(), normalized.end(), '_', '-');
    if (normalized.empty()) {
        return std::nullopt;
    }
    const std::string lowered = UnicodeText::lowercased(normalized);
    if (auto exact = byLowercasedRawValue(lowered)) {
        return exact;
    }

    if (lowered == "zh" || startsWith(lowered, "zh-")) {
        // Traditional script, or a region that writes it; the region tests apply to the whole tag,
        // so zh-Hans-HK counts as Traditional too.
        if (contains(lowered, "hant") || contains(lowered, "-tw") || contains(lowered, "-hk")
            || contains(lowered, "-mo")) {
            return TarnLanguage::zhHant;
        }
        return TarnLanguage::zhHans;
    }
    if (lowered == "pt" || startsWith(lowered, "pt-")) {
        return startsWith(lowered, "pt-pt") ? TarnLanguage::ptPT : TarnLanguage::ptBR;
    }
    for (std::string_view norwegian : {"no", "nb", "nn"}) {
        if (lowered == norwegian || (startsWith(lowered, norwegian) && lowered.size() > 2 && lowered[2] == '-')) {
            return TarnLanguage::nb;
        }
    }

    std::string_view primary = lowered;
    std::string_view rest = lowered;
    while (!rest.empty()) {
        const auto dash = rest.find('-');
        const auto piece = rest.substr(0, dash);
        if (!piece.empty()) {
            primary = piece;
            break;
        }
        rest = dash == std::string_view::npos ? std::string_view {} : rest.substr(dash + 1);
    }
    if (primary == "iw") {
        return TarnLanguage::he;
    }
    if (primary == "in") {
        return TarnLanguage::id;
    }
    return byLowercasedRawValue(primary);
}

TarnLanguage resolveTarnLanguage(std::span<const std::string> tags)
{
    for (const auto& tag : tags) {
        if (auto language = matchTarnLanguage(tag)) {
            return *language;
        }
    }
    return TarnLanguage::en;
}

nlohmann::json toJson(TarnLanguage language)
{
    return std::string(rawValue(language));
}

TarnLanguage tarnLanguageFromJson(const nlohmann::json& value, TarnLanguage systemResolved)
{
    const std::string text = value.is_string() ? UnicodeText::trimmed(value.get_ref<const std::string&>()) : "";
    if (text.empty() || UnicodeText::lowercased(text) == kTarnLanguageSystemPreferenceCode) {
        return systemResolved;
    }
    if (auto exact = tarnLanguageFromRawValue(text)) {
        return *exact;
    }
    return matchTarnLanguage(text).value_or(systemResolved);
}

} // namespace tarn
