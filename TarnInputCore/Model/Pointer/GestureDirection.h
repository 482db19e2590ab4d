#pragma once

// The four directions of a hold-and-drag gesture. The raw value is the case name.

#include <array>
#include <optional>
#include <string_view>

namespace tarn::input {

enum class GestureDirection { up, down, left, right };

inline constexpr std::array<GestureDirection, 4> kAllGestureDirections {
    GestureDirection::up, GestureDirection::down, GestureDirection::left, GestureDirection::right};

// "up", "down", "left", "right"; also the direction's identity.
std::string_view rawValue(GestureDirection direction);
// Exact, case-sensitive case names only.
std::optional<GestureDirection> gestureDirectionFromRawValue(std::string_view raw);

std::string_view labelEN(GestureDirection direction);
std::string_view labelTR(GestureDirection direction);
// Name of the symbol image shown next to the direction ("arrow.up.circle.fill").
std::string_view symbolName(GestureDirection direction);

} // namespace tarn::input
