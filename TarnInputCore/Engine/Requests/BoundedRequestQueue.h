#pragma once

// A fixed ring of small values that any thread may push and one thread at a time takes, without a
// lock and without allocating after construction (a bounded multi-producer queue: each cell
// carries a sequence number that says whose turn it is). A full ring refuses the value instead of
// waiting, so a producer never blocks on a consumer that is late.
//
// The consumer may change threads only across a happens-before edge (a thread start or join, a
// mutex): two threads must never take at once.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>

namespace tarn::input {

template <typename T, std::size_t kCapacity> class BoundedRequestQueue {
    static_assert(kCapacity >= 2 && (kCapacity & (kCapacity - 1)) == 0, "a power of two");
    static_assert(std::is_trivially_copyable_v<T>, "copied in and out without allocating");

public:
    BoundedRequestQueue()
    {
        for (std::size_t index = 0; index < kCapacity; ++index) {
            m_cells[index].sequence.store(index, std::memory_order_relaxed);
        }
    }
    BoundedRequestQueue(const BoundedRequestQueue&) = delete;
    BoundedRequestQueue& operator=(const BoundedRequestQueue&) = delete;

    // Any thread. False, with nothing changed, when the ring is full.
    [[nodiscard]] bool push(const T& value)
    {
        std::size_t position = m_tail.load(std::memory_order_relaxed);
        for (;;) {
            Cell& cell = m_cells[position & kMask];
            const std::size_t sequence = cell.sequence.load(std::memory_order_seq_cst);
            if (sequence == position) {
                if (m_tail.compare_exchange_weak(position, position + 1, std::memory_order_relaxed)) {
                    cell.value = value;
                    // Sequentially consistent, like the consumer's check: a producer may then tell
                    // a consumer that went idle through one more atomic flag, and be seen.
                    cell.sequence.store(position + 1, std::memory_order_seq_cst);
                    return true;
                }
            } else if (sequence < position) {
                return false;
            } else {
                position = m_tail.load(std::memory_order_relaxed);
            }
        }
    }

    // The consumer: the oldest value, or none when nothing has been pushed in full yet.
    std::optional<T> pop()
    {
        Cell& cell = m_cells[m_head & kMask];
        if (cell.sequence.load(std::memory_order_seq_cst) != m_head + 1) {
            return std::nullopt;
        }
        const T value = cell.value;
        cell.sequence.store(m_head + kCapacity, std::memory_order_release);
        ++m_head;
        return value;
    }

    // The consumer: whether `pop` would answer a value now.
    bool hasWaiting() const { return m_cells[m_head & kMask].sequence.load(std::memory_order_seq_cst) == m_head + 1; }

private:
    static constexpr std::size_t kMask = kCapacity - 1;

    struct Cell {
        std::atomic<std::size_t> sequence {0};
        T value {};
    };

    std::array<Cell, kCapacity> m_cells {};
    // Kept apart from the consumer's index: producers and the consumer write them on their own.
    alignas(64) std::atomic<std::size_t> m_tail {0};
    alignas(64) std::size_t m_head = 0;
};

} // namespace tarn::input
