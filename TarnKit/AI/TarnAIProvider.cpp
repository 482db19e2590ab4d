#include "TarnKit/AI/TarnAIProvider.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn {
namespace {

struct ProviderRow {
    TarnAIProvider value;
    std::string_view raw;
    std::string_view endpoint;
    std::string_view model;
    std::string_view nameEN;
    std::string_view nameTR;
};

// The credit token is bought and managed on the maker's account portal, which the name shows.
constexpr EnumTable kProviders {std::to_array<ProviderRow>({
    {TarnAIProvider::ollamaLocal, "ollamaLocal", "http://127.0.0.1:11434/api/chat", "llama3.2",
        "Local Ollama (100% Offline)", "Yerel Ollama (%100 Çevrimdışı)"},
    {TarnAIProvider::openAI, "openAI", "https://api.openai.com/v1/chat/completions", "gpt-4o-mini",
        "OpenAI-Compatible (BYO Key)", "OpenAI Uyumlu (Kendi Anahtarın)"},
    {TarnAIProvider::harrowfenCredits, "harrowfenCredits", "https://api.harrowfen.com/v1/ai/chat", "harrowfen-doc-fast",
        "Harrowfen Credits (account.harrowfen.com)", "Harrowfen Kredisi (account.harrowfen.com)"},
})};
static_assert(kProviders.covers(kAllTarnAIProviders));

} // namespace

std::string_view rawValue(TarnAIProvider provider)
{
    return kProviders[provider].raw;
}

std::optional<TarnAIProvider> tarnAIProviderFromRawValue(std::string_view raw)
{
    return kProviders.fromRaw(raw);
}

std::string displayName(TarnAIProvider provider, TarnLanguage language)
{
    return tarnText(kProviders[provider].nameEN, kProviders[provider].nameTR, language);
}

std::string displayName(TarnAIProvider provider)
{
    return displayName(provider, TarnLanguageSettings::shared().current());
}

std::string_view defaultEndpoint(TarnAIProvider provider)
{
    return kProviders[provider].endpoint;
}

std::string_view defaultModel(TarnAIProvider provider)
{
    return kProviders[provider].model;
}

} // namespace tarn
