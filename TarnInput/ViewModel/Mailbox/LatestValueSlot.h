#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace tarn::input {

// The newest value of a figure, handed from the engine to the interface through three
// preallocated buffers: the writer fills its own buffer and swaps it in, the reader swaps the
// newest out; neither waits for the other. Two writers at the same instant (the input thread and
// an operation on the interface thread) do not queue behind each other: the later one leaves the
// figure to the one already writing, which is just as recent.
template <typename T> class LatestValueSlot {
public:
    // Writers. Fills the writer's buffer in place; false when another writer was busy.
    template <typename Fill> bool publish(Fill&& fill)
    {
        if (m_writing.test_and_set(std::memory_order_acquire)) {
            return false;
        }
        fill(m_buffers[m_writeIndex]);
        const auto previous = m_middle.exchange(m_writeIndex | kFresh, std::memory_order_acq_rel);
        m_writeIndex = previous & kIndexMask;
        m_writing.clear(std::memory_order_release);
        return true;
    }

    // Reader only. The newest value if one arrived since the last take, else nothing is touched.
    template <typename Take> bool take(Take&& consume)
    {
        if ((m_middle.load(std::memory_order_acquire) & kFresh) == 0) {
            return false;
        }
        m_readIndex = m_middle.exchange(m_readIndex, std::memory_order_acq_rel) & kIndexMask;
        consume(m_buffers[m_readIndex]);
        return true;
    }

private:
    static constexpr std::uint8_t kFresh = 4;
    static constexpr std::uint8_t kIndexMask = 3;

    std::array<T, 3> m_buffers {};
    std::atomic_flag m_writing;
    std::uint8_t m_writeIndex = 0;
    std::atomic<std::uint8_t> m_middle {1};
    std::uint8_t m_readIndex = 2;
};

} // namespace tarn::input
