#pragma once

// Shared by the records' tests: a fixed time, JSON from text, and the record read from or written
// to its file text.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Coding/SuiteRecordText.h"

namespace tarn::suite_testing {

// 2026-12-10T15:04:05Z
inline constexpr WallTime kStamp {std::chrono::seconds(1'796'915'045)};
inline constexpr std::string_view kStampText = "2026-12-10T15:04:05Z";

inline nlohmann::json json(std::string_view text)
{
    return StrictJson::parse(text).value();
}

// The keys of a written record, in the order written.
template <SuiteRecord Record> std::vector<std::string> writtenKeys(const Record& record)
{
    const SuiteJson object = record.toJson().value();
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) {
        keys.push_back(key);
    }
    return keys;
}

// The record written to text and read back.
template <SuiteRecord Record> std::optional<Record> roundTripped(const Record& record)
{
    const auto text = encodeSuiteRecord(record);
    return text ? decodeSuiteRecord<Record>(*text) : std::nullopt;
}

// `object` with `key` set to the JSON `value` (or removed when `value` is empty).
inline std::string withKey(nlohmann::json object, const std::string& key, std::string_view value)
{
    if (value.empty()) {
        object.erase(key);
    } else {
        object[key] = json(value);
    }
    return object.dump();
}

} // namespace tarn::suite_testing
