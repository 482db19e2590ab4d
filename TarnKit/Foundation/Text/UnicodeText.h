#pragma once

// Unicode-correct text operations on UTF-8 strings, done with ICU in the root locale so that the
// result never depends on the user's locale (a Turkish locale must not turn "I" into "ı").
// Invalid UTF-8 input is read with U+FFFD in place of each bad sequence; nothing throws.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarn {

class UnicodeText {
public:
    static std::string lowercased(std::string_view text);
    // Removes white space and line breaks (the Unicode White_Space property) from both ends.
    static std::string trimmed(std::string_view text);
    // User-perceived characters (extended grapheme clusters).
    static std::size_t graphemeCount(std::string_view text);
    // At most `count` user-perceived characters from the start.
    static std::string graphemePrefix(std::string_view text, std::size_t count);

    // General categories L* and M*.
    static bool isLetter(char32_t scalar);
    // General category Nd.
    static bool isDecimalDigit(char32_t scalar);
    // General categories L*, M* and N*.
    static bool isAlphanumeric(char32_t scalar);

    // Whether two texts are the same text for a reader: equal after canonical decomposition, so
    // "é" written precomposed and as "e" with a combining accent are equivalent.
    static bool canonicallyEquivalent(std::string_view lhs, std::string_view rhs);

    static bool isValidUtf8(std::string_view text);
    // The text with every invalid sequence replaced by U+FFFD.
    static std::string sanitizedUtf8(std::string_view text);
    static std::u32string toScalars(std::string_view text);
    static std::string fromScalars(std::u32string_view scalars);
};

} // namespace tarn
