#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace tarn::input {

// A bounded queue of preallocated entries for any number of writers and one reader, without a
// lock: each cell carries a sequence number that says whose turn it is. A writer that finds the
// queue full drops its entry and counts it; nothing waits and nothing allocates.
template <typename T, std::size_t Capacity> class MailboxRing {
    static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0, "a power of two");

public:
    MailboxRing()
    {
        for (std::size_t index = 0; index < Capacity; ++index) {
            m_cells[index].sequence.store(index, std::memory_order_relaxed);
        }
    }

    // Fills the claimed entry in place; false when the queue is full.
    template <typename Fill> bool push(Fill&& fill)
    {
        std::size_t position = m_writePosition.load(std::memory_order_relaxed);
        for (;;) {
            Cell& cell = m_cells[position & (Capacity - 1)];
            const std::size_t sequence = cell.sequence.load(std::memory_order_acquire);
            const auto difference = static_cast<std::intptr_t>(sequence) - static_cast<std::intptr_t>(position);
            if (difference == 0) {
                if (m_writePosition.compare_exchange_weak(position, position + 1, std::memory_order_relaxed)) {
                    fill(cell.value);
                    cell.sequence.store(position + 1, std::memory_order_release);
                    return true;
                }
            } else if (difference < 0) {
                m_dropped.fetch_add(1, std::memory_order_relaxed);
                return false;
            } else {
                position = m_writePosition.load(std::memory_order_relaxed);
            }
        }
    }

    // Reader only. Hands each waiting entry to `take`, oldest first.
    template <typename Take> void drain(Take&& take)
    {
        for (;;) {
            Cell& cell = m_cells[m_readPosition & (Capacity - 1)];
            if (cell.sequence.load(std::memory_order_acquire) != m_readPosition + 1) {
                return;
            }
            take(cell.value);
            cell.sequence.store(m_readPosition + Capacity, std::memory_order_release);
            ++m_readPosition;
        }
    }

    std::uint64_t dropped() const { return m_dropped.load(std::memory_order_relaxed); }

private:
    struct Cell {
        std::atomic<std::size_t> sequence {0};
        T value {};
    };

    std::array<Cell, Capacity> m_cells;
    std::atomic<std::size_t> m_writePosition {0};
    std::size_t m_readPosition = 0;
    std::atomic<std::uint64_t> m_dropped {0};
};

} // namespace tarn::input
