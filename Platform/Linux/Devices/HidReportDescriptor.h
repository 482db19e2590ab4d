#pragma once

// Reads the two facts the device inventory needs from a raw HID report descriptor: whether a
// top-level application collection is a mouse, a pointer or a touchpad, and which button-page
// usages the device's reports carry. Malformed or truncated descriptors are read as far as they
// make sense; nothing here throws.

#include <cstdint>
#include <span>
#include <vector>

namespace tarn {

class HidReportDescriptor {
public:
    static HidReportDescriptor parse(std::span<const std::uint8_t> bytes);

    // A top-level application collection is generic desktop mouse or pointer, or digitizer touch pad.
    bool isPointingDevice() const { return m_pointingDevice; }
    // Button-page usages of every input, output and feature item, in descriptor order, repeats included.
    const std::vector<std::int64_t>& buttonUsages() const { return m_buttonUsages; }

private:
    bool m_pointingDevice = false;
    std::vector<std::int64_t> m_buttonUsages;
};

} // namespace tarn
