#pragma once

// Events on their way to one of our uinput devices, laid out as the kernel reads them, so that
// frames are built straight into it and go out with one write(2). Time stamps stay zero: the
// kernel stamps what a uinput device sends. Fixed size: filling it never allocates.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include <linux/input.h>

namespace tarn::input {

class UinputWriteBuffer {
public:
    static constexpr std::size_t kCapacity = 512;

    // The caller makes sure there is room (`room()`); an event past the end is dropped.
    void push(std::uint16_t type, std::uint16_t code, std::int32_t value)
    {
        if (m_count < m_events.size()) {
            auto& event = m_events[m_count++];
            event.type = type;
            event.code = code;
            event.value = value;
        }
    }
    // Ends the frame pushed since the last one (a SYN_REPORT).
    void endFrame() { push(EV_SYN, SYN_REPORT, 0); }

    std::size_t size() const { return m_count; }
    std::size_t room() const { return m_events.size() - m_count; }
    bool empty() const { return m_count == 0; }
    std::span<const input_event> events() const { return {m_events.data(), m_count}; }
    void clear() { m_count = 0; }

private:
    std::array<input_event, kCapacity> m_events {};
    std::size_t m_count = 0;
};

} // namespace tarn::input
