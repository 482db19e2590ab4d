#pragma once

// What kind of pointing device a connected HID device is, as decided by the vendor registry's
// classifier. The raw value (the case name) is the stored and compared form.

#include <optional>
#include <string_view>

namespace tarn::input {

enum class PointerDeviceCategory {
    externalMouse,
    gamingMouse,
    ergonomicMouse,
    magicMouse,
    trackpad,
    trackball,
    penTablet,
};

// The case name, e.g. "gamingMouse".
std::string_view rawValue(PointerDeviceCategory category);
// Case-sensitive; anything but a case name gives no category.
std::optional<PointerDeviceCategory> pointerDeviceCategoryFromRawValue(std::string_view raw);

std::string_view labelEN(PointerDeviceCategory category);
std::string_view labelTR(PointerDeviceCategory category);
// The symbol shown beside the category, looked up in the application's icon registry.
std::string_view symbolName(PointerDeviceCategory category);

} // namespace tarn::input
