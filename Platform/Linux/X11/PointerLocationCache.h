#pragma once

// Where the pointer is, for the input thread, which must never ask the X server. Whoever learns
// the position (an X11 listener, or the tap from relative motion where there is no X11) stores
// it; the input thread reads it without a lock. Both coordinates share one 64-bit atomic so a
// reader never sees x of one position with y of another. Global coordinates, y downward.

#include <atomic>
#include <bit>
#include <cstdint>

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

class PointerLocationCache {
public:
    void store(EventPoint point) noexcept { m_packed.store(pack(point), std::memory_order_release); }
    EventPoint load() const noexcept { return unpack(m_packed.load(std::memory_order_acquire)); }

    // Set by an adapter that keeps the position current from the display server; while it is
    // set, the tap does not integrate relative motion itself.
    void setFollowedByDisplayServer(bool followed) noexcept { m_followed.store(followed, std::memory_order_release); }
    bool isFollowedByDisplayServer() const noexcept { return m_followed.load(std::memory_order_acquire); }

private:
    static std::uint64_t pack(EventPoint point) noexcept
    {
        const auto x = std::bit_cast<std::uint32_t>(static_cast<float>(point.x));
        const auto y = std::bit_cast<std::uint32_t>(static_cast<float>(point.y));
        return (static_cast<std::uint64_t>(x) << 32) | y;
    }
    static EventPoint unpack(std::uint64_t packed) noexcept
    {
        return EventPoint {std::bit_cast<float>(static_cast<std::uint32_t>(packed >> 32)),
            std::bit_cast<float>(static_cast<std::uint32_t>(packed))};
    }

    std::atomic<std::uint64_t> m_packed {0};
    std::atomic<bool> m_followed {false};
};

} // namespace tarn::input
