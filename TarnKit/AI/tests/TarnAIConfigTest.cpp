#include "TarnKit/AI/TarnAIConfig.h"

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn {
namespace {

TEST(TarnAIConfig, AbsentTextsTakeTheProvidersDefaultsAndGivenOnesAreKept)
{
    const TarnAIConfig defaults(TarnAIProvider::openAI);
    EXPECT_EQ(defaults.endpointURL, "https://api.openai.com/v1/chat/completions");
    EXPECT_EQ(defaults.model, "gpt-4o-mini");

    const TarnAIConfig emptyModel(TarnAIProvider::openAI, std::nullopt, "");
    EXPECT_EQ(emptyModel.endpointURL, "https://api.openai.com/v1/chat/completions");
    EXPECT_EQ(emptyModel.model, "");

    const TarnAIConfig given(TarnAIProvider::ollamaLocal, "", "mistral");
    EXPECT_EQ(given.endpointURL, "");
    EXPECT_EQ(given.model, "mistral");
}

TEST(TarnAIConfig, EqualityComparesAllThreeFields)
{
    const TarnAIConfig base(TarnAIProvider::openAI, "https://a.example/v1", "m");
    EXPECT_EQ(base, TarnAIConfig(TarnAIProvider::openAI, "https://a.example/v1", "m"));
    EXPECT_NE(base, TarnAIConfig(TarnAIProvider::harrowfenCredits, "https://a.example/v1", "m"));
    EXPECT_NE(base, TarnAIConfig(TarnAIProvider::openAI, "https://b.example/v1", "m"));
    EXPECT_NE(base, TarnAIConfig(TarnAIProvider::openAI, "https://a.example/v1", "n"));
}

TEST(TarnAIConfig, WritesTheThreeKeysInDeclarationOrder)
{
    const TarnAIConfig config(TarnAIProvider::harrowfenCredits, "", "");
    EXPECT_EQ(StrictJson::dump(config.toJson()), R"({"provider":"harrowfenCredits","endpointURL":"","model":""})");
}

TEST(TarnAIConfig, ReadsBackWhatItWritesForEveryProvider)
{
    for (const TarnAIProvider provider : kAllTarnAIProviders) {
        const TarnAIConfig config(provider, "https://ai.example/chat", "m-1");
        const auto decoded = TarnAIConfig::fromJson(nlohmann::json::parse(StrictJson::dump(config.toJson())));
        EXPECT_EQ(decoded, config) << rawValue(provider);
    }
}

TEST(TarnAIConfig, ReadsKeysInAnyOrderAndIgnoresOthers)
{
    const auto decoded = TarnAIConfig::fromJson(
        nlohmann::json::parse(R"({"extra":1,"model":"","endpointURL":"not checked here","provider":"ollamaLocal"})"));
    EXPECT_EQ(decoded, TarnAIConfig(TarnAIProvider::ollamaLocal, "not checked here", ""));
}

TEST(TarnAIConfig, DecodingNeedsAllThreeKeysWithStringsAndAnExactProvider)
{
    for (const std::string_view text : {
             R"({"endpointURL":"https://a.example","model":"m"})",
             R"({"provider":"openAI","model":"m"})",
             R"({"provider":"openAI","endpointURL":"https://a.example"})",
             R"({"provider":"OpenAI","endpointURL":"https://a.example","model":"m"})",
             R"({"provider":"openai","endpointURL":"https://a.example","model":"m"})",
             R"({"provider":null,"endpointURL":"https://a.example","model":"m"})",
             R"({"provider":"openAI","endpointURL":null,"model":"m"})",
             R"({"provider":"openAI","endpointURL":"https://a.example","model":7})",
             R"({"provider":0,"endpointURL":"https://a.example","model":"m"})",
             R"(["openAI","https://a.example","m"])",
             R"("openAI")",
         }) {
        EXPECT_EQ(TarnAIConfig::fromJson(nlohmann::json::parse(text)), std::nullopt) << text;
    }
}

} // namespace
} // namespace tarn
