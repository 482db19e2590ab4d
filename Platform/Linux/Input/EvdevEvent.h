#pragma once

// One evdev event without its time stamp, as read from a device or written to a virtual one.

#include <cstdint>

namespace tarn::input {

struct EvdevEvent {
    std::uint16_t type = 0;
    std::uint16_t code = 0;
    std::int32_t value = 0;
    bool operator==(const EvdevEvent&) const = default;
};

} // namespace tarn::input
