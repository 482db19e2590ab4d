#pragma once

// The newest of a stream of values, handed from one writing thread to one reading thread without a
// lock, without allocating and without waiting on either side (a triple buffer). The writer fills
// its own buffer and swaps it with the middle one; the reader swaps the middle one for its own when
// it holds something newer. A reader sees whole values only, possibly skipping some.
//
// Either side may change threads only across a happens-before edge (a thread start or join, a
// mutex): one writer and one reader at a time.

#include <array>
#include <atomic>
#include <cstdint>

namespace tarn::input {

template <typename T> class LatestValue {
public:
    explicit LatestValue(const T& initial)
        : m_buffers {initial, initial, initial}
    {
    }
    LatestValue(const LatestValue&) = delete;
    LatestValue& operator=(const LatestValue&) = delete;

    // The writer. Copies into buffers made at construction: a value whose copy does not allocate
    // (no growing strings or lists) is published without allocating.
    void publish(const T& value)
    {
        m_buffers[m_writing] = value;
        const std::uint8_t previous
            = m_middle.exchange(static_cast<std::uint8_t>(m_writing | kFresh), std::memory_order_acq_rel);
        m_writing = static_cast<std::uint8_t>(previous & kIndex);
    }

    // The reader: the newest value published, or the initial one before any.
    T read() const
    {
        if ((m_middle.load(std::memory_order_relaxed) & kFresh) != 0) {
            const std::uint8_t previous = m_middle.exchange(m_reading, std::memory_order_acq_rel);
            m_reading = static_cast<std::uint8_t>(previous & kIndex);
        }
        return m_buffers[m_reading];
    }

private:
    static constexpr std::uint8_t kIndex = 0b011;
    static constexpr std::uint8_t kFresh = 0b100;

    std::array<T, 3> m_buffers;
    // The middle buffer's index, and whether the reader has not taken it yet.
    mutable std::atomic<std::uint8_t> m_middle {1};
    std::uint8_t m_writing = 0;
    mutable std::uint8_t m_reading = 2;
};

} // namespace tarn::input
