#include "TarnKit/Localization/TarnLanguage.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(TarnLanguageTest, TableKeepsItsOrderCodesAndUniqueness)
{
    const auto& all = allTarnLanguages();
    ASSERT_EQ(all.size(), 37u);
    EXPECT_EQ(all.front(), TarnLanguage::ar);
    EXPECT_EQ(all[8], TarnLanguage::en);
    EXPECT_EQ(all[25], TarnLanguage::ptBR);
    EXPECT_EQ(all.back(), TarnLanguage::zhHant);
    std::set<std::string_view> codes;
    for (const auto language : all) {
        codes.insert(rawValue(language));
        EXPECT_EQ(tarnLanguageFromRawValue(rawValue(language)), language);
        EXPECT_EQ(localeIdentifier(language), rawValue(language));
    }
    EXPECT_EQ(codes.size(), 37u);
    EXPECT_EQ(rawValue(TarnLanguage::zhHans), "zh-Hans");
    EXPECT_EQ(tarnLanguageFromRawValue("pt-br"), std::nullopt);
}

TEST(TarnLanguageTest, DerivedProperties)
{
    EXPECT_EQ(displayName(TarnLanguage::en), "English");
    EXPECT_EQ(displayName(TarnLanguage::tr), "Türkçe (Turkish)");
    EXPECT_EQ(displayName(TarnLanguage::nb), "Norsk Bokmål (Norwegian Bokmål)");
    EXPECT_EQ(displayName(TarnLanguage::ptPT), "Português (Portugal) (Portuguese (Portugal))");

    EXPECT_EQ(shortCode(TarnLanguage::en), "EN");
    EXPECT_EQ(shortCode(TarnLanguage::nb), "NB");
    EXPECT_EQ(shortCode(TarnLanguage::ptBR), "PT");
    EXPECT_EQ(shortCode(TarnLanguage::ptPT), "PT-PT");
    EXPECT_EQ(shortCode(TarnLanguage::zhHans), "ZH");
    EXPECT_EQ(shortCode(TarnLanguage::zhHant), "ZH-TW");

    std::vector<TarnLanguage> rightToLeft;
    for (const auto language : allTarnLanguages()) {
        if (isRTL(language)) {
            rightToLeft.push_back(language);
            EXPECT_EQ(layoutDirection(language), TarnLayoutDirection::rightToLeft);
        } else {
            EXPECT_EQ(layoutDirection(language), TarnLayoutDirection::leftToRight);
        }
        const auto parent = fallbackParent(language);
        if (language == TarnLanguage::ptPT) {
            EXPECT_EQ(parent, TarnLanguage::ptBR);
        } else if (language == TarnLanguage::zhHant) {
            EXPECT_EQ(parent, TarnLanguage::zhHans);
        } else {
            EXPECT_EQ(parent, std::nullopt) << rawValue(language);
        }
    }
    EXPECT_EQ(rightToLeft, (std::vector {TarnLanguage::ar, TarnLanguage::fa, TarnLanguage::he}));
}

TEST(TarnLanguageTest, SortedByEnglishName)
{
    const auto& sorted = sortedTarnLanguages();
    std::vector<std::string_view> names;
    for (const auto language : sorted) {
        names.push_back(englishName(language));
    }
    const std::vector<std::string_view> head {"Arabic", "Azerbaijani", "Bulgarian", "Catalan", "Chinese (Simplified)",
        "Chinese (Traditional)", "Croatian", "Czech", "Danish", "Dutch", "English", "Finnish"};
    EXPECT_EQ(std::vector(names.begin(), names.begin() + 12), head);
    EXPECT_EQ(names[names.size() - 2], "Ukrainian");
    EXPECT_EQ(names.back(), "Vietnamese");
    EXPECT_EQ(std::set(sorted.begin(), sorted.end()).size(), 37u);
}

struct MatchCase {
    const char* tag;
    std::optional<TarnLanguage> expected;
};

TEST(TarnLanguageTest, MatchesTags)
{
    const MatchCase cases[] = {
        {"EN", TarnLanguage::en},
        {"  de\n", TarnLanguage::de},
        {"pt_br", TarnLanguage::ptBR},
        {"ZH-hant", TarnLanguage::zhHant},
        {"fr", TarnLanguage::fr},
        {"fr_CA", TarnLanguage::fr},
        {"de-AT", TarnLanguage::de},
        {"zh-TW", TarnLanguage::zhHant},
        {"zh_HK", TarnLanguage::zhHant},
        {"zh-MO", TarnLanguage::zhHant},
        {"zh-Hant-CN", TarnLanguage::zhHant},
        {"zh-Hans-HK", TarnLanguage::zhHant},
        {"zh", TarnLanguage::zhHans},
        {"zh-CN", TarnLanguage::zhHans},
        {"zh-SG", TarnLanguage::zhHans},
        {"pt", TarnLanguage::ptBR},
        {"pt-AO", TarnLanguage::ptBR},
        {"pt-PT", TarnLanguage::ptPT},
        {"pt_PT", TarnLanguage::ptPT},
        {"no", TarnLanguage::nb},
        {"nn-NO", TarnLanguage::nb},
        {"nb", TarnLanguage::nb},
        {"iw-IL", TarnLanguage::he},
        {"in", TarnLanguage::id},
        {"-sv-SE", TarnLanguage::sv},
        {"ptx", std::nullopt},
        {"nob", std::nullopt},
        {"fil", std::nullopt},
        {"sr", std::nullopt},
        {"sr-Latn", std::nullopt},
        {"x", std::nullopt},
        {"", std::nullopt},
        {" \t", std::nullopt},
        {"---", std::nullopt},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(matchTarnLanguage(entry.tag), entry.expected) << "tag \"" << entry.tag << '"';
    }
}

TEST(TarnLanguageTest, ResolvesTheFirstMatchingTagElseEnglish)
{
    EXPECT_EQ(resolveTarnLanguage(std::vector<std::string> {"sr-Latn", "de-AT", "en"}), TarnLanguage::de);
    EXPECT_EQ(resolveTarnLanguage(std::vector<std::string> {}), TarnLanguage::en);
    EXPECT_EQ(resolveTarnLanguage(std::vector<std::string> {"fil", "x"}), TarnLanguage::en);
}

TEST(TarnLanguageTest, JsonFormIsTheCodeAndReadingIsLenient)
{
    EXPECT_EQ(toJson(TarnLanguage::ptBR), nlohmann::json("pt-BR"));
    const auto system = TarnLanguage::ja;
    EXPECT_EQ(tarnLanguageFromJson("pt-BR", system), TarnLanguage::ptBR);
    EXPECT_EQ(tarnLanguageFromJson(" de_CH ", system), TarnLanguage::de);
    EXPECT_EQ(tarnLanguageFromJson("", system), system);
    EXPECT_EQ(tarnLanguageFromJson("System", system), system);
    EXPECT_EQ(tarnLanguageFromJson("??", system), system);
    EXPECT_EQ(tarnLanguageFromJson(5, system), system);
    EXPECT_EQ(tarnLanguageFromJson(nullptr, system), system);
}

} // namespace
} // namespace tarn
