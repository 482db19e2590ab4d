#pragma once

// The stored choice of one AI server: which kind it is, the full address to post to and the
// model to ask for. The address stays text until a request is made; the client checks it then.

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "TarnKit/AI/TarnAIProvider.h"

namespace tarn {

struct TarnAIConfig {
    // An absent address or model is the provider's default; a given text, even an empty one, is
    // kept as it is.
    explicit TarnAIConfig(TarnAIProvider provider, std::optional<std::string> endpointURL = std::nullopt,
        std::optional<std::string> model = std::nullopt);

    TarnAIProvider provider;
    std::string endpointURL;
    std::string model;

    // {"provider", "endpointURL", "model"} in this order, the provider as its raw value.
    nlohmann::ordered_json toJson() const;
    // All three keys are required and no default fills a gap: a missing key, a value that is not
    // a string (null included) or a provider that is not exactly a raw value fails the whole
    // configuration. Other keys are ignored.
    static std::optional<TarnAIConfig> fromJson(const nlohmann::json& value);

    bool operator==(const TarnAIConfig&) const = default;
};

} // namespace tarn
