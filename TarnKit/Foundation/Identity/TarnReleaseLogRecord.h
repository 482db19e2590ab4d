#pragma once

// One release of the release log (one JSON line of release-log.jsonl): what changed from one
// version to the next, with texts in several interface languages.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace tarn {

struct TarnReleaseLogRecord {
    std::string timestamp; // ISO 8601, not checked
    std::string app;
    std::string fromVersion = "0.0.0";
    std::string toVersion = "1.0.0";
    std::int64_t fromBuild = 0; // 64-bit like every integer of the stored formats
    std::int64_t toBuild = 100;
    std::string bumpKind = "patch"; // build, patch, minor or major; not checked
    std::string section = "Changed";
    std::string summary;
    std::vector<std::string> details;
    std::map<std::string, std::string> summaryI18n; // language code ("en", "pt-BR") to text
    std::map<std::string, std::vector<std::string>> detailsI18n;
    std::string gitCommit;

    // timestamp-app-toVersion-toBuild: the record's identity in lists.
    std::string id() const;
    // The first ten characters of the timestamp (YYYY-MM-DD), or all of a shorter one.
    std::string shortDate() const;

    // The text for a language code (a TarnLanguage raw value): that language's own, then for
    // pt-PT and zh-Hant their parent's (pt-BR, zh-Hans), then English, then `summary`. Empty
    // texts and empty lists count as missing.
    std::string localizedSummary(std::string_view languageCode) const;
    std::vector<std::string> localizedDetails(std::string_view languageCode) const;

    // Every key is optional and a null counts as missing; a key present with a value of the
    // wrong type fails the whole record. Unknown keys are ignored.
    static std::optional<TarnReleaseLogRecord> fromJson(const nlohmann::json& json);
    // All thirteen keys in the release log's fixed order.
    nlohmann::ordered_json toJson() const;

    bool operator==(const TarnReleaseLogRecord&) const = default;
};

} // namespace tarn
