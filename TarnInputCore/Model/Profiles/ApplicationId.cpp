#include "TarnInputCore/Model/Profiles/ApplicationId.h"

#include <algorithm>

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {

namespace {

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// The ASCII members of the Unicode White_Space property: tab, line feed, vertical tab, form feed,
// carriage return and space.
bool isAsciiWhiteSpace(char byte)
{
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

char asciiLower(char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

std::string_view asciiTrimmed(std::string_view text)
{
    while (!text.empty() && isAsciiWhiteSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isAsciiWhiteSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string asciiLowercased(std::string_view text)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), asciiLower);
    return lowered;
}

bool asciiLowercasedEquals(std::string_view text, std::string_view normalizedKey)
{
    return text.size() == normalizedKey.size()
        && std::equal(
            text.begin(), text.end(), normalizedKey.begin(), [](char a, char b) { return asciiLower(a) == b; });
}

bool trimmedLowercasedEquals(std::string_view text, std::string_view normalizedKey)
{
    if (isAscii(text)) {
        return asciiLowercasedEquals(asciiTrimmed(text), normalizedKey);
    }
    return UnicodeText::lowercased(UnicodeText::trimmed(text)) == normalizedKey;
}

} // namespace

ApplicationId::ApplicationId(std::string_view text)
    : m_text(text)
    , m_lowercased(isAscii(text) ? asciiLowercased(text) : UnicodeText::lowercased(text))
    , m_trimmedLowercased(
          isAscii(text) ? asciiLowercased(asciiTrimmed(text)) : UnicodeText::lowercased(UnicodeText::trimmed(text)))
{
}

bool ApplicationId::isNamedBy(std::string_view stored) const
{
    return isAscii(stored) ? asciiLowercasedEquals(stored, m_lowercased)
                           : UnicodeText::lowercased(stored) == m_lowercased;
}

bool ApplicationId::isNamedByTrimmedEntry(std::string_view stored) const
{
    return trimmedLowercasedEquals(stored, m_lowercased);
}

bool ApplicationId::isNamedByTrimmed(std::string_view stored) const
{
    return trimmedLowercasedEquals(stored, m_trimmedLowercased);
}

} // namespace tarn::input
