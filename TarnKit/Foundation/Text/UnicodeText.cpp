#include "TarnKit/Foundation/Text/UnicodeText.h"

#include <memory>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

namespace tarn {
namespace {

icu::UnicodeString toUnicode(std::string_view text)
{
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

std::string toUtf8(const icu::UnicodeString& text)
{
    std::string result;
    text.toUTF8String(result);
    return result;
}

std::unique_ptr<icu::BreakIterator> characterIterator(const icu::UnicodeString& text)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !iterator) {
        return nullptr;
    }
    iterator->setText(text);
    return iterator;
}

bool hasCategory(char32_t scalar, uint32_t mask)
{
    return (U_GET_GC_MASK(static_cast<UChar32>(scalar)) & mask) != 0;
}

} // namespace

std::string UnicodeText::lowercased(std::string_view text)
{
    return toUtf8(toUnicode(text).toLower(icu::Locale::getRoot()));
}

std::string UnicodeText::trimmed(std::string_view text)
{
    const std::u32string scalars = toScalars(text);
    std::size_t begin = 0;
    std::size_t end = scalars.size();
    while (begin < end && u_hasBinaryProperty(static_cast<UChar32>(scalars[begin]), UCHAR_WHITE_SPACE)) {
        ++begin;
    }
    while (end > begin && u_hasBinaryProperty(static_cast<UChar32>(scalars[end - 1]), UCHAR_WHITE_SPACE)) {
        --end;
    }
    return fromScalars(std::u32string_view(scalars).substr(begin, end - begin));
}

std::size_t UnicodeText::graphemeCount(std::string_view text)
{
    const auto unicode = toUnicode(text);
    auto iterator = characterIterator(unicode);
    if (!iterator) {
        return static_cast<std::size_t>(unicode.countChar32());
    }
    std::size_t count = 0;
    for (int32_t boundary = iterator->next(); boundary != icu::BreakIterator::DONE; boundary = iterator->next()) {
        ++count;
    }
    return count;
}

std::string UnicodeText::graphemePrefix(std::string_view text, std::size_t count)
{
    const auto unicode = toUnicode(text);
    auto iterator = characterIterator(unicode);
    if (!iterator) {
        return toUtf8(unicode);
    }
    int32_t end = 0;
    for (std::size_t taken = 0; taken < count; ++taken) {
        const int32_t boundary = iterator->next();
        if (boundary == icu::BreakIterator::DONE) {
            break;
        }
        end = boundary;
    }
    return toUtf8(unicode.tempSubString(0, end));
}

bool UnicodeText::isLetter(char32_t scalar)
{
    return hasCategory(scalar, U_GC_L_MASK | U_GC_M_MASK);
}

bool UnicodeText::isDecimalDigit(char32_t scalar)
{
    return hasCategory(scalar, U_GC_ND_MASK);
}

bool UnicodeText::isAlphanumeric(char32_t scalar)
{
    return hasCategory(scalar, U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK);
}

bool UnicodeText::canonicallyEquivalent(std::string_view lhs, std::string_view rhs)
{
    if (lhs == rhs) {
        return true;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decomposition = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status)) {
        return false;
    }
    const icu::UnicodeString left = decomposition->normalize(toUnicode(lhs), status);
    const icu::UnicodeString right = decomposition->normalize(toUnicode(rhs), status);
    return U_SUCCESS(status) && left == right;
}

bool UnicodeText::isValidUtf8(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t offset = 0;
    while (offset < length) {
        UChar32 scalar = 0;
        U8_NEXT(bytes, offset, length, scalar);
        if (scalar < 0) {
            return false;
        }
    }
    return true;
}

std::string UnicodeText::sanitizedUtf8(std::string_view text)
{
    if (isValidUtf8(text)) {
        return std::string(text);
    }
    return fromScalars(toScalars(text));
}

std::u32string UnicodeText::toScalars(std::string_view text)
{
    std::u32string scalars;
    scalars.reserve(text.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t offset = 0;
    while (offset < length) {
        UChar32 scalar = 0;
        U8_NEXT_OR_FFFD(bytes, offset, length, scalar);
        scalars.push_back(static_cast<char32_t>(scalar));
    }
    return scalars;
}

std::string UnicodeText::fromScalars(std::u32string_view scalars)
{
    std::string result;
    result.reserve(scalars.size());
    for (const char32_t scalar : scalars) {
        char buffer[U8_MAX_LENGTH];
        int32_t length = 0;
        const char32_t valid = (scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) ? U'\uFFFD' : scalar;
        // The buffer holds the longest encoding, so the unchecked append cannot overrun it.
        U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(buffer), length, valid);
        result.append(buffer, static_cast<std::size_t>(length));
    }
    return result;
}

} // namespace tarn
