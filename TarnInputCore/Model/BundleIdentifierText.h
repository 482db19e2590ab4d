#pragma once

// The normalising of bundle identifiers for matching: full Unicode lower-casing and trimming of
// white space and line breaks, the same as UnicodeText's. Identifiers are nearly always ASCII, and
// matching runs on the input path, so ASCII text takes a path of its own that allocates nothing
// and gives the same result; any other text goes through ICU.

#include <string>
#include <string_view>

namespace tarn::input {

class BundleIdentifierText {
public:
    BundleIdentifierText() = delete;

    static std::string lowercased(std::string_view text);
    static std::string trimmedLowercased(std::string_view text);

    // Whether `text`, lower-cased (and trimmed), equals `normalizedKey`, which is already so.
    static bool lowercasedEquals(std::string_view text, std::string_view normalizedKey);
    static bool trimmedLowercasedEquals(std::string_view text, std::string_view normalizedKey);
};

} // namespace tarn::input
