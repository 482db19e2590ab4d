#pragma once

// One language pack: a JSON object with the language's description, its exact translations
// (keyed by the English text or an explicit key) and its templates (English patterns with "{0}",
// "{1}", ... and their translations). Files hold it as UTF-8 JSON, plain or LZFSE-compressed.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

struct TarnLocalizationError {
    enum class Kind { readFailed, decompressionFailed, decodingFailed };
    Kind kind;
    std::string message;
};

struct TarnLocalizationPack {
    std::string code;
    std::string nativeName;
    std::string englishName;
    bool isRTL = false;
    std::map<std::string, std::string> strings;
    std::map<std::string, std::string> templates;

    bool operator==(const TarnLocalizationPack&) const = default;

    // Every key is optional (a JSON null counts as absent); a key of the wrong type fails.
    static Result<TarnLocalizationPack, TarnLocalizationError> decode(std::string_view json);
    // All six keys, in field order.
    nlohmann::ordered_json toJson() const;
};

// A flat JSON object of text to text; anything else (another value type, not an object) fails.
Result<std::map<std::string, std::string>, TarnLocalizationError> decodeFlatStringMap(std::string_view json);

} // namespace tarn
