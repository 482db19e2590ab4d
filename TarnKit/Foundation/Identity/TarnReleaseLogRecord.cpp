#include "TarnKit/Foundation/Identity/TarnReleaseLogRecord.h"

#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

// Reads one optional key into `target`: a missing key or null keeps the default, a value
// that `convert` refuses fails the record.
template <typename T, typename Convert>
bool readKey(const nlohmann::json& json, const char* key, T& target, Convert convert)
{
    const auto found = json.find(key);
    if (found == json.end() || found->is_null()) {
        return true;
    }
    auto value = convert(*found);
    if (!value) {
        return false;
    }
    target = std::move(*value);
    return true;
}

std::optional<std::vector<std::string>> stringList(const nlohmann::json& json)
{
    if (!json.is_array()) {
        return std::nullopt;
    }
    std::vector<std::string> list;
    list.reserve(json.size());
    for (const auto& item : json) {
        auto text = StrictJson::string(item);
        if (!text) {
            return std::nullopt;
        }
        list.push_back(std::move(*text));
    }
    return list;
}

template <typename T, typename Convert>
std::optional<std::map<std::string, T>> dictionary(const nlohmann::json& json, Convert convert)
{
    if (!json.is_object()) {
        return std::nullopt;
    }
    std::map<std::string, T> result;
    for (const auto& [key, item] : json.items()) {
        auto value = convert(item);
        if (!value) {
            return std::nullopt;
        }
        result.emplace(key, std::move(*value));
    }
    return result;
}

std::optional<std::string_view> parentCode(std::string_view languageCode)
{
    if (languageCode == "pt-PT") {
        return "pt-BR";
    }
    if (languageCode == "zh-Hant") {
        return "zh-Hans";
    }
    return std::nullopt;
}

// The first non-empty value under the language, its parent, then English.
template <typename T> const T* localized(const std::map<std::string, T>& texts, std::string_view languageCode)
{
    std::vector<std::string_view> codes {languageCode};
    if (auto parent = parentCode(languageCode)) {
        codes.push_back(*parent);
    }
    codes.push_back("en");
    for (const auto code : codes) {
        const auto found = texts.find(std::string(code));
        if (found != texts.end() && !found->second.empty()) {
            return &found->second;
        }
    }
    return nullptr;
}

} // namespace

std::string TarnReleaseLogRecord::id() const
{
    return timestamp + "-" + app + "-" + toVersion + "-" + std::to_string(toBuild);
}

std::string TarnReleaseLogRecord::shortDate() const
{
    return UnicodeText::graphemePrefix(timestamp, 10);
}

std::string TarnReleaseLogRecord::localizedSummary(std::string_view languageCode) const
{
    const auto* text = localized(summaryI18n, languageCode);
    return text ? *text : summary;
}

std::vector<std::string> TarnReleaseLogRecord::localizedDetails(std::string_view languageCode) const
{
    const auto* list = localized(detailsI18n, languageCode);
    return list ? *list : details;
}

std::optional<TarnReleaseLogRecord> TarnReleaseLogRecord::fromJson(const nlohmann::json& json)
{
    if (!json.is_object()) {
        return std::nullopt;
    }
    const auto text = [](const nlohmann::json& value) { return StrictJson::string(value); };
    const auto integer = [](const nlohmann::json& value) { return StrictJson::integer<std::int64_t>(value); };
    TarnReleaseLogRecord record;
    const bool decoded = readKey(json, "timestamp", record.timestamp, text) && readKey(json, "app", record.app, text)
        && readKey(json, "fromVersion", record.fromVersion, text) && readKey(json, "toVersion", record.toVersion, text)
        && readKey(json, "fromBuild", record.fromBuild, integer) && readKey(json, "toBuild", record.toBuild, integer)
        && readKey(json, "bumpKind", record.bumpKind, text) && readKey(json, "section", record.section, text)
        && readKey(json, "summary", record.summary, text) && readKey(json, "details", record.details, stringList)
        && readKey(json, "summary_i18n", record.summaryI18n,
            [&text](const nlohmann::json& value) { return dictionary<std::string>(value, text); })
        && readKey(json, "details_i18n", record.detailsI18n,
            [](const nlohmann::json& value) { return dictionary<std::vector<std::string>>(value, stringList); })
        && readKey(json, "gitCommit", record.gitCommit, text);
    if (!decoded) {
        return std::nullopt;
    }
    return record;
}

nlohmann::ordered_json TarnReleaseLogRecord::toJson() const
{
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    json["timestamp"] = timestamp;
    json["app"] = app;
    json["fromVersion"] = fromVersion;
    json["toVersion"] = toVersion;
    json["fromBuild"] = fromBuild;
    json["toBuild"] = toBuild;
    json["bumpKind"] = bumpKind;
    json["section"] = section;
    json["summary"] = summary;
    json["details"] = details;
    json["gitCommit"] = gitCommit;
    json["summary_i18n"] = summaryI18n;
    json["details_i18n"] = detailsI18n;
    return json;
}

} // namespace tarn
