#include "TarnKit/Localization/TarnLocalizationPack.h"

#include "TarnKit/Foundation/StrictJson.h"

namespace tarn {
namespace {

TarnLocalizationError decodingError(std::string message)
{
    return TarnLocalizationError {TarnLocalizationError::Kind::decodingFailed, std::move(message)};
}

std::optional<std::map<std::string, std::string>> stringMap(const nlohmann::json& value)
{
    if (!value.is_object()) {
        return std::nullopt;
    }
    std::map<std::string, std::string> result;
    for (const auto& [key, entry] : value.items()) {
        if (!entry.is_string()) {
            return std::nullopt;
        }
        result.emplace(key, entry.get<std::string>());
    }
    return result;
}

// An absent key or a null keeps the default; any other type than the expected one fails.
bool readString(const nlohmann::json& object, const char* key, std::string& field)
{
    const auto found = object.find(key);
    if (found == object.end() || found->is_null()) {
        return true;
    }
    if (!found->is_string()) {
        return false;
    }
    field = found->get<std::string>();
    return true;
}

bool readMap(const nlohmann::json& object, const char* key, std::map<std::string, std::string>& field)
{
    const auto found = object.find(key);
    if (found == object.end() || found->is_null()) {
        return true;
    }
    auto map = stringMap(*found);
    if (!map) {
        return false;
    }
    field = std::move(*map);
    return true;
}

} // namespace

Result<TarnLocalizationPack, TarnLocalizationError> TarnLocalizationPack::decode(std::string_view json)
{
    const auto parsed = StrictJson::parse(json);
    if (!parsed) {
        return fail(decodingError("The language pack is not valid JSON."));
    }
    if (!parsed->is_object()) {
        return fail(decodingError("The language pack is not a JSON object."));
    }
    TarnLocalizationPack pack;
    if (!readString(*parsed, "code", pack.code) || !readString(*parsed, "nativeName", pack.nativeName)
        || !readString(*parsed, "englishName", pack.englishName)) {
        return fail(decodingError("A language pack name or code is not a string."));
    }
    if (const auto found = parsed->find("isRTL"); found != parsed->end() && !found->is_null()) {
        const auto flag = StrictJson::boolean(*found);
        if (!flag) {
            return fail(decodingError("The language pack's isRTL is not a Boolean."));
        }
        pack.isRTL = *flag;
    }
    if (!readMap(*parsed, "strings", pack.strings) || !readMap(*parsed, "templates", pack.templates)) {
        return fail(decodingError("The language pack's strings or templates are not a map of texts."));
    }
    return pack;
}

nlohmann::ordered_json TarnLocalizationPack::toJson() const
{
    nlohmann::ordered_json json;
    json["code"] = code;
    json["nativeName"] = nativeName;
    json["englishName"] = englishName;
    json["isRTL"] = isRTL;
    json["strings"] = strings;
    json["templates"] = templates;
    return json;
}

Result<std::map<std::string, std::string>, TarnLocalizationError> decodeFlatStringMap(std::string_view json)
{
    const auto parsed = StrictJson::parse(json);
    if (!parsed) {
        return fail(decodingError("The language pack is not valid JSON."));
    }
    auto map = stringMap(*parsed);
    if (!map) {
        return fail(decodingError("The language pack is not a flat map of texts."));
    }
    return std::move(*map);
}

} // namespace tarn
