#pragma once

// The port through which the device inventory reads the system's HID pointing devices and the
// batteries they report. Implementations enumerate afresh on every call and keep no state between
// calls that changes their answers.

#include <optional>
#include <vector>

#include "TarnInputCore/Devices/HIDBatteryProperties.h"
#include "TarnInputCore/Devices/HIDDeviceProperties.h"

namespace tarn::input {

class PointerDeviceSource {
public:
    virtual ~PointerDeviceSource() = default;

    // Every connected HID device whose usage is mouse or pointer (touchpads included), in a
    // deterministic order; no value when the system's device list cannot be opened.
    virtual std::optional<std::vector<HIDDeviceProperties>> pointerDevices() = 0;
    // Every HID battery the system reports, in reading order: a later entry's level replaces an
    // earlier one's for the same device.
    virtual std::vector<HIDBatteryProperties> hidBatteries() = 0;
};

} // namespace tarn::input
