#include "TarnKit/Localization/TarnLocalizationPack.h"

#include <utility>

#include <fmt/format.h>

#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn {
namespace {

TarnLocalizationError decodingError(std::string message)
{
    return TarnLocalizationError {TarnLocalizationError::Kind::decodingFailed, std::move(message)};
}

// A JSON object whose every value is a text; the error names the first value that is not one.
Result<std::map<std::string, std::string>, TarnLocalizationError> stringMap(
    const nlohmann::json& value, std::string_view what)
{
    if (!value.is_object()) {
        return fail(decodingError(fmt::format("The language pack's {} are not a JSON object.", what)));
    }
    std::map<std::string, std::string> result;
    for (const auto& [key, entry] : value.items()) {
        if (!entry.is_string()) {
            return fail(decodingError(fmt::format("The language pack's value for \"{}\" is not a text.", key)));
        }
        result.emplace(key, entry.get<std::string>());
    }
    return result;
}

// The document, or the reason it cannot be one (not JSON, nested too deep, too large).
Result<nlohmann::json, TarnLocalizationError> parsePack(std::string_view json)
{
    auto parsed = StrictJson::parseWithReason(json);
    if (!parsed) {
        return fail(decodingError(fmt::format("The language pack is refused: {}.", parsed.error())));
    }
    return std::move(parsed).value();
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

std::optional<TarnLocalizationError> readMap(
    const nlohmann::json& object, const char* key, std::map<std::string, std::string>& field)
{
    const auto found = object.find(key);
    if (found == object.end() || found->is_null()) {
        return std::nullopt;
    }
    auto map = stringMap(*found, key);
    if (!map) {
        return map.error();
    }
    field = std::move(map).value();
    return std::nullopt;
}

} // namespace

Result<TarnLocalizationPack, TarnLocalizationError> TarnLocalizationPack::decode(std::string_view json)
{
    const auto parsed = parsePack(json);
    if (!parsed) {
        return fail(parsed.error());
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
    for (const auto& [key, field] : {std::pair {"strings", &pack.strings}, std::pair {"templates", &pack.templates}}) {
        if (auto error = readMap(*parsed, key, *field)) {
            return fail(std::move(*error));
        }
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
    const auto parsed = parsePack(json);
    if (!parsed) {
        return fail(parsed.error());
    }
    return stringMap(*parsed, "texts");
}

} // namespace tarn
