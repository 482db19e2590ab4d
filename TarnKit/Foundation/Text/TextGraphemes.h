#pragma once

// The user-perceived characters (extended grapheme clusters) of one UTF-8 text, as byte offsets,
// for template matching. Plain ASCII without CR LF, the common case of English interface texts,
// needs no ICU and no allocation. The text must outlive this object.

#include <cstddef>
#include <string_view>
#include <vector>

namespace tarn {

class TextGraphemes {
public:
    explicit TextGraphemes(std::string_view text);

    std::string_view text() const { return m_text; }
    std::size_t count() const;
    // Whether a character starts (or the text ends) at this byte offset.
    bool isBoundary(std::size_t byteOffset) const;
    // The first / last `count` characters (the whole text when it has fewer).
    std::string_view prefix(std::size_t count) const;
    std::string_view suffix(std::size_t count) const;

private:
    std::string_view m_text;
    bool m_simple = true;
    // Byte offsets of every boundary from 0 to the text's size, when not simple.
    std::vector<std::size_t> m_boundaries;
};

} // namespace tarn
