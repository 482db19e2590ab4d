#pragma once

// What LibinputPointerPreferences needs of the system, small enough to fake: the X server's
// pointer devices with their XInput2 properties, and the desktop's own pointer settings where a
// desktop keeps them (GNOME's settings, which its settings daemon applies to the devices and
// would otherwise put back).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::input {

class PointerPropertyBackend {
public:
    struct Device {
        std::uint32_t id = 0;
        std::string name;
        bool isTouchpad = false;
        bool operator==(const Device&) const = default;
    };

    virtual ~PointerPropertyBackend() = default;

    // Every physical pointing device; empty without an X11 display.
    virtual std::vector<Device> devices() = 0;
    // A property's values, integers and floats alike; absent when the device has no such property.
    virtual std::optional<std::vector<double>> property(std::uint32_t device, std::string_view name) = 0;
    // Replaces an existing property's values, keeping its format; false when the server refused.
    [[nodiscard]] virtual bool setProperty(
        std::uint32_t device, std::string_view name, const std::vector<double>& values)
        = 0;

    // Whether the desktop keeps pointer settings of its own.
    virtual bool hasDesktopSettings() = 0;
    // A desktop setting in its text form ("'flat'", "0.25", "true"); absent when unreadable.
    virtual std::optional<std::string> desktopSetting(std::string_view schema, std::string_view key) = 0;
    [[nodiscard]] virtual bool setDesktopSetting(std::string_view schema, std::string_view key, std::string_view value)
        = 0;
};

} // namespace tarn::input
