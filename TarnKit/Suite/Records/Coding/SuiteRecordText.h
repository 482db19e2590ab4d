#pragma once

// A suite record as the whole text of its file: one compact JSON object. Reading is bounded by
// the kit's strict parser and all or nothing; writing fails when a value cannot be written
// (NaN or an infinity), and then nothing is to be written at all. A text that is not valid UTF-8
// (which no file read can hold) is written with U+FFFD in place of each bad sequence.

#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"

namespace tarn {

template <SuiteRecord Record> std::optional<std::string> encodeSuiteRecord(const Record& record)
{
    const auto json = record.toJson();
    return json ? std::optional<std::string>(StrictJson::dump(*json)) : std::nullopt;
}

template <SuiteRecord Record> std::optional<Record> decodeSuiteRecord(std::string_view text)
{
    const auto json = StrictJson::parse(text);
    return json ? SuiteJsonValue<Record>::decode(*json) : std::nullopt;
}

} // namespace tarn
