#pragma once

// The decoded output as one block decoder sees it. Matches may reach back into earlier blocks,
// but nothing may be written past the end the block header declared, so a block can never
// produce more than it announced (and the announcement was checked against the limit).

#include <cstddef>
#include <cstring>

#include "TarnKit/Foundation/Lzfse/DecodedBuffer.h"

namespace tarn::lzfse {

class OutputWindow {
public:
    // The caller has checked blockSize against output.room().
    OutputWindow(DecodedBuffer& output, std::size_t blockSize)
        : m_output(output)
        , m_end(output.size() + blockSize)
    {
    }

    [[nodiscard]] bool appendLiterals(const unsigned char* literals, std::size_t count)
    {
        if (count > remaining()) {
            return false;
        }
        if (count > 0) {
            std::memcpy(m_output.extend(count), literals, count);
        }
        return true;
    }

    // Copies length bytes starting distance bytes back. The regions may overlap (distance <
    // length), which repeats the last distance bytes, so that case copies byte by byte forwards.
    [[nodiscard]] bool appendMatch(std::size_t distance, std::size_t length)
    {
        if (length == 0) {
            return true;
        }
        if (distance == 0 || distance > m_output.size() || length > remaining()) {
            return false;
        }
        char* target = m_output.extend(length);
        const char* source = target - distance;
        if (distance >= length) {
            std::memcpy(target, source, length);
        } else {
            for (std::size_t i = 0; i < length; ++i) {
                target[i] = source[i];
            }
        }
        return true;
    }

    [[nodiscard]] std::size_t remaining() const { return m_end - m_output.size(); }
    [[nodiscard]] bool isComplete() const { return m_output.size() == m_end; }

private:
    DecodedBuffer& m_output;
    std::size_t m_end;
};

} // namespace tarn::lzfse
