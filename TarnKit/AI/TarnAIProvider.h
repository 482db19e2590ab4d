#pragma once

// The three kinds of server the AI client talks to, each with the address and model a new
// configuration starts from: a model server on this machine (no key), any server that speaks the
// OpenAI chat-completions interface (the user's own key), and the maker's API server (a credit
// token from the maker as the key).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

enum class TarnAIProvider { ollamaLocal, openAI, harrowfenCredits };

inline constexpr std::array<TarnAIProvider, 3> kAllTarnAIProviders {
    TarnAIProvider::ollamaLocal, TarnAIProvider::openAI, TarnAIProvider::harrowfenCredits};

// The case's name: "ollamaLocal", "openAI", "harrowfenCredits"; stored as it is.
std::string_view rawValue(TarnAIProvider provider);
// The identity of a provider: its raw value.
inline std::string_view id(TarnAIProvider provider)
{
    return rawValue(provider);
}
// Exactly one of the three raw values, case-sensitive: "openai" is not a provider.
std::optional<TarnAIProvider> tarnAIProviderFromRawValue(std::string_view raw);

// "Local Ollama (100% Offline)" / "Yerel Ollama (%100 Çevrimdışı)" and so on, in `language`.
std::string displayName(TarnAIProvider provider, TarnLanguage language);
// The same in the interface language in force at the call.
std::string displayName(TarnAIProvider provider);

// The full address a new configuration posts to, as text.
std::string_view defaultEndpoint(TarnAIProvider provider);
// The model a new configuration asks for.
std::string_view defaultModel(TarnAIProvider provider);

} // namespace tarn
