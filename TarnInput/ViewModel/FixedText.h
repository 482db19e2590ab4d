#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarn::input {

// Text of bounded length held in place, so it crosses threads without touching the heap. Longer
// text is cut at a character boundary, never inside a UTF-8 sequence.
template <std::size_t Capacity> class FixedText {
public:
    void assign(std::string_view text)
    {
        std::size_t length = std::min(text.size(), Capacity);
        while (length < text.size() && length > 0 && isContinuationByte(text[length])) {
            --length;
        }
        std::copy_n(text.data(), length, m_bytes.data());
        m_length = length;
    }

    std::string_view view() const { return {m_bytes.data(), m_length}; }
    std::string str() const { return std::string(view()); }

private:
    static bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U; }

    std::array<char, Capacity> m_bytes {};
    std::size_t m_length = 0;
};

} // namespace tarn::input
