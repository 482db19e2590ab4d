#pragma once

// Identities for values made many times a second (key HUD tokens), without asking the kernel for
// randomness each time: the first ten bytes are random, drawn once; the last six count up. Every
// identity one sequence gives is different from the others (for 2^48 of them), and as unlikely to
// equal any other as a random one is. Not thread-safe: one sequence per thread that uses it.

#include <cstddef>
#include <cstdint>

#include "TarnKit/Foundation/Basics/Uuid.h"

namespace tarn::input {

class UuidSequence {
public:
    UuidSequence()
        : m_base(Uuid::random())
    {
    }

    Uuid next()
    {
        Uuid id = m_base;
        std::uint64_t count = ++m_count;
        // Bytes 6 and 8 carry the version and variant of the random base; these are past them.
        for (std::size_t index = id.bytes.size(); index-- > kCountedFrom;) {
            id.bytes[index] ^= static_cast<std::uint8_t>(count & 0xFF);
            count >>= 8;
        }
        return id;
    }

private:
    static constexpr std::size_t kCountedFrom = 10;

    Uuid m_base;
    std::uint64_t m_count = 0;
};

} // namespace tarn::input
