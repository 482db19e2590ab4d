#include "TarnKit/Foundation/Text/TextGraphemes.h"

#include <algorithm>
#include <memory>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/utext.h>

namespace tarn {
namespace {

// Creating a character break iterator costs far more than using one, so each thread keeps
// its own for the life of the thread.
icu::BreakIterator* threadCharacterIterator()
{
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> created(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(created) : nullptr;
    }();
    return iterator.get();
}

bool isSimpleAscii(std::string_view text)
{
    for (std::size_t index = 0; index < text.size(); ++index) {
        const auto byte = static_cast<unsigned char>(text[index]);
        if (byte >= 0x80 || (byte == '\r' && index + 1 < text.size() && text[index + 1] == '\n')) {
            return false;
        }
    }
    return true;
}

std::vector<std::size_t> boundariesOf(std::string_view text)
{
    std::vector<std::size_t> boundaries;
    boundaries.push_back(0);
    if (text.empty()) {
        return boundaries;
    }
    UErrorCode status = U_ZERO_ERROR;
    UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    icu::BreakIterator* iterator = threadCharacterIterator();
    if (U_SUCCESS(status) && iterator != nullptr) {
        iterator->setText(utext, status);
    }
    if (U_FAILURE(status) || iterator == nullptr) {
        // Without ICU every byte counts as a character; matching stays byte-exact.
        for (std::size_t offset = 1; offset <= text.size(); ++offset) {
            boundaries.push_back(offset);
        }
    } else {
        // Native indexes of a UTF-8 UText are byte offsets.
        for (int32_t boundary = iterator->next(); boundary != icu::BreakIterator::DONE; boundary = iterator->next()) {
            boundaries.push_back(static_cast<std::size_t>(boundary));
        }
        // Detach the iterator from the text before the UText goes away.
        UErrorCode resetStatus = U_ZERO_ERROR;
        UText* empty = utext_openUTF8(nullptr, "", 0, &resetStatus);
        iterator->setText(empty, resetStatus);
        utext_close(empty);
    }
    utext_close(utext);
    if (boundaries.back() != text.size()) {
        boundaries.push_back(text.size());
    }
    return boundaries;
}

} // namespace

TextGraphemes::TextGraphemes(std::string_view text)
    : m_text(text)
    , m_simple(isSimpleAscii(text))
{
    if (!m_simple) {
        m_boundaries = boundariesOf(text);
    }
}

std::size_t TextGraphemes::count() const
{
    return m_simple ? m_text.size() : m_boundaries.size() - 1;
}

bool TextGraphemes::isBoundary(std::size_t byteOffset) const
{
    if (m_simple) {
        return byteOffset <= m_text.size();
    }
    return std::binary_search(m_boundaries.begin(), m_boundaries.end(), byteOffset);
}

std::string_view TextGraphemes::prefix(std::size_t count) const
{
    if (m_simple) {
        return m_text.substr(0, count);
    }
    const std::size_t index = std::min(count, m_boundaries.size() - 1);
    return m_text.substr(0, m_boundaries[index]);
}

std::string_view TextGraphemes::suffix(std::size_t count) const
{
    if (m_simple) {
        return count >= m_text.size() ? m_text : m_text.substr(m_text.size() - count);
    }
    const std::size_t characters = m_boundaries.size() - 1;
    const std::size_t index = count >= characters ? 0 : characters - count;
    return m_text.substr(m_boundaries[index]);
}

} // namespace tarn
