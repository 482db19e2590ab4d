#include "TarnKit/AI/TarnAIConfig.h"

#include <utility>

#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn {
namespace {

std::optional<std::string> stringField(const nlohmann::json& object, const char* key)
{
    const auto found = object.find(key);
    return found == object.end() ? std::nullopt : StrictJson::string(*found);
}

} // namespace

TarnAIConfig::TarnAIConfig(
    TarnAIProvider provider, std::optional<std::string> endpointURL, std::optional<std::string> model)
    : provider(provider)
    , endpointURL(endpointURL ? std::move(*endpointURL) : std::string(defaultEndpoint(provider)))
    , model(model ? std::move(*model) : std::string(defaultModel(provider)))
{
}

nlohmann::ordered_json TarnAIConfig::toJson() const
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    object["provider"] = rawValue(provider);
    object["endpointURL"] = endpointURL;
    object["model"] = model;
    return object;
}

std::optional<TarnAIConfig> TarnAIConfig::fromJson(const nlohmann::json& value)
{
    if (!value.is_object()) {
        return std::nullopt;
    }
    const auto providerText = stringField(value, "provider");
    auto endpoint = stringField(value, "endpointURL");
    auto model = stringField(value, "model");
    if (!providerText || !endpoint || !model) {
        return std::nullopt;
    }
    const auto provider = tarnAIProviderFromRawValue(*providerText);
    if (!provider) {
        return std::nullopt;
    }
    return TarnAIConfig(*provider, std::move(endpoint), std::move(model));
}

} // namespace tarn
