#pragma once

// One immutable value that writer threads replace whole and a fixed set of reader threads read
// without a lock, without allocating and in constant time (hazard pointers). A reader announces
// the value it uses in its own slot; a writer frees a replaced value only once no slot names it,
// so values are always freed on a writer's thread, never on a reader's.
//
// Each reader slot belongs to one thread at a time and holds one value at a time (no nested
// reads on one slot). Writers must be serialised by the caller.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

namespace tarn::input {

template <typename T, std::size_t kReaders> class SnapshotPublisher {
public:
    // The value a reader uses until the guard ends.
    class [[nodiscard]] ReadGuard {
    public:
        ReadGuard(const ReadGuard&) = delete;
        ReadGuard& operator=(const ReadGuard&) = delete;
        ~ReadGuard() { m_slot.store(nullptr, std::memory_order_release); }

        const T& operator*() const { return *m_value; }
        const T* operator->() const { return m_value; }

    private:
        friend class SnapshotPublisher;
        ReadGuard(std::atomic<const T*>& slot, const T* value)
            : m_slot(slot)
            , m_value(value)
        {
        }
        std::atomic<const T*>& m_slot;
        const T* m_value;
    };

    explicit SnapshotPublisher(std::unique_ptr<const T> initial)
        : m_current(initial.release())
    {
    }
    ~SnapshotPublisher()
    {
        delete m_current.load();
        for (const T* value : m_retired) {
            delete value;
        }
    }
    SnapshotPublisher(const SnapshotPublisher&) = delete;
    SnapshotPublisher& operator=(const SnapshotPublisher&) = delete;

    // Reader side: lock-free; retries only when a writer published in between.
    ReadGuard read(std::size_t readerSlot) const
    {
        auto& slot = m_slots[readerSlot].value;
        const T* value = m_current.load(std::memory_order_acquire);
        for (;;) {
            slot.store(value, std::memory_order_seq_cst);
            const T* again = m_current.load(std::memory_order_seq_cst);
            if (again == value) {
                return ReadGuard(slot, value);
            }
            value = again;
        }
    }

    // Writer side. The current value, valid until the caller's next `publish`.
    const T& current() const { return *m_current.load(std::memory_order_acquire); }

    // Makes `next` current and frees every replaced value no reader holds any more.
    void publish(std::unique_ptr<const T> next)
    {
        m_retired.push_back(m_current.exchange(next.release(), std::memory_order_seq_cst));
        std::erase_if(m_retired, [this](const T* value) {
            const bool held = std::any_of(m_slots.begin(), m_slots.end(),
                [value](const Slot& slot) { return slot.value.load(std::memory_order_seq_cst) == value; });
            if (!held) {
                delete value;
            }
            return !held;
        });
    }

private:
    static constexpr std::size_t kCacheLine = 64;
    // A reader writes its slot twice on every read: on a line shared with another reader's slot or
    // with the current value, each read would pull that line from the other reader's processor.
    struct alignas(kCacheLine) Slot {
        std::atomic<const T*> value {nullptr};
    };

    // Written only by a publish: read by every reader, it stays in their caches until then.
    alignas(kCacheLine) std::atomic<const T*> m_current;
    mutable std::array<Slot, kReaders> m_slots {};
    // Replaced values a reader still held at the last publish; at most one per reader slot.
    std::vector<const T*> m_retired;
};

} // namespace tarn::input
