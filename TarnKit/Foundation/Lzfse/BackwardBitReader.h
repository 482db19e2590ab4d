#pragma once

// Reads the entropy-coded payloads of LZFSE blocks. The encoder writes them as one little-endian
// bit string and the decoder consumes it from the most significant end: the last byte of the
// payload is read first, its top bits first. The final byte may carry up to seven zero bits of
// padding above the real data; how many is recorded in the block header.

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarn::lzfse {

class BackwardBitReader {
public:
    static constexpr unsigned kMaxPull = 32;

    // paddingBits is the negated "final bits" header field (0...7). A reader whose padding is
    // not zero, or that has padding without any byte, starts out failed.
    BackwardBitReader(std::span<const std::uint8_t> payload, unsigned paddingBits)
        : m_payload(payload)
        , m_next(payload.size())
    {
        if (paddingBits > 7 || (payload.empty() && paddingBits != 0)) {
            m_failed = true;
            return;
        }
        if (payload.empty()) {
            return;
        }
        const unsigned last = payload.back();
        const unsigned dataBits = 8 - paddingBits;
        if ((last >> dataBits) != 0) {
            m_failed = true;
            return;
        }
        m_accumulator = last;
        m_accumulatorBits = dataBits;
        m_next = payload.size() - 1;
    }

    // The next count bits (count <= kMaxPull) as an unsigned number. Reading past the start of the
    // payload marks the reader failed and yields 0, so callers can check once per unit of work.
    [[nodiscard]] std::uint32_t pull(unsigned count)
    {
        if (count == 0) {
            return 0;
        }
        if (m_accumulatorBits < count) {
            refill();
            if (m_accumulatorBits < count) {
                m_failed = true;
                m_accumulatorBits = 0;
                return 0;
            }
        }
        m_accumulatorBits -= count;
        return static_cast<std::uint32_t>((m_accumulator >> m_accumulatorBits) & ((std::uint64_t {1} << count) - 1));
    }

    [[nodiscard]] bool failed() const { return m_failed; }

private:
    void refill()
    {
        while (m_accumulatorBits <= 56 && m_next > 0) {
            --m_next;
            m_accumulator = (m_accumulator << 8) | m_payload[m_next];
            m_accumulatorBits += 8;
        }
    }

    std::span<const std::uint8_t> m_payload;
    std::size_t m_next; // bytes [0, m_next) have not been loaded yet
    std::uint64_t m_accumulator = 0; // the low m_accumulatorBits bits are unread
    unsigned m_accumulatorBits = 0;
    bool m_failed = false;
};

} // namespace tarn::lzfse
