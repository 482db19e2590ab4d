#include "TarnKit/AI/TarnAIProvider.h"

#include <gtest/gtest.h>

#include "TarnKit/AI/tests/ScopedCurrentLanguage.h"

namespace tarn {
namespace {

TEST(TarnAIProvider, ThreeCasesInOrderNamedByTheirRawValues)
{
    struct Case {
        TarnAIProvider provider;
        std::string_view raw;
        std::string_view endpoint;
        std::string_view model;
    };
    const Case cases[] {
        {TarnAIProvider::ollamaLocal, "ollamaLocal", "http://127.0.0.1:11434/api/chat", "llama3.2"},
        {TarnAIProvider::openAI, "openAI", "https://api.openai.com/v1/chat/completions", "gpt-4o-mini"},
        {TarnAIProvider::harrowfenCredits, "harrowfenCredits", "https://api.harrowfen.com/v1/ai/chat",
            "harrowfen-doc-fast"},
    };
    ASSERT_EQ(std::size(cases), kAllTarnAIProviders.size());
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        const Case& c = cases[index];
        EXPECT_EQ(kAllTarnAIProviders[index], c.provider) << c.raw;
        EXPECT_EQ(rawValue(c.provider), c.raw);
        EXPECT_EQ(id(c.provider), c.raw);
        EXPECT_EQ(tarnAIProviderFromRawValue(c.raw), c.provider);
        EXPECT_EQ(defaultEndpoint(c.provider), c.endpoint) << c.raw;
        EXPECT_EQ(defaultModel(c.provider), c.model) << c.raw;
    }
}

TEST(TarnAIProvider, ReadsOnlyExactRawValues)
{
    for (const std::string_view raw :
        {"openai", "OpenAI", "OLLAMALOCAL", "harrowfencredits", " openAI", "openAI ", ""}) {
        EXPECT_EQ(tarnAIProviderFromRawValue(raw), std::nullopt) << raw;
    }
}

TEST(TarnAIProvider, DisplayNamesInEnglishAndTurkish)
{
    struct Case {
        TarnAIProvider provider;
        std::string_view en;
        std::string_view tr;
    };
    const Case cases[] {
        {TarnAIProvider::ollamaLocal, "Local Ollama (100% Offline)", "Yerel Ollama (%100 Çevrimdışı)"},
        {TarnAIProvider::openAI, "OpenAI-Compatible (BYO Key)", "OpenAI Uyumlu (Kendi Anahtarın)"},
        {TarnAIProvider::harrowfenCredits, "Harrowfen Credits (account.harrowfen.com)",
            "Harrowfen Kredisi (account.harrowfen.com)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(displayName(c.provider, TarnLanguage::en), c.en);
        EXPECT_EQ(displayName(c.provider, TarnLanguage::tr), c.tr);
    }
}

TEST(TarnAIProvider, DisplayNameFollowsTheCurrentLanguageOnEveryRead)
{
    {
        const ScopedCurrentLanguage turkish(TarnLanguage::tr);
        EXPECT_EQ(displayName(TarnAIProvider::ollamaLocal), "Yerel Ollama (%100 Çevrimdışı)");
    }
    const ScopedCurrentLanguage english(TarnLanguage::en);
    EXPECT_EQ(displayName(TarnAIProvider::ollamaLocal), "Local Ollama (100% Offline)");
}

} // namespace
} // namespace tarn
