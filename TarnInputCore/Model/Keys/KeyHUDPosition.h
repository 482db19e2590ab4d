#pragma once

// Where the key HUD overlay stands on screen. The raw value is the case name.

#include <array>
#include <optional>
#include <string_view>

namespace tarn::input {

enum class KeyHUDPosition { bottomCenter, bottomLeft, bottomRight, topRight };

inline constexpr std::array<KeyHUDPosition, 4> kAllKeyHUDPositions {
    KeyHUDPosition::bottomCenter, KeyHUDPosition::bottomLeft, KeyHUDPosition::bottomRight, KeyHUDPosition::topRight};

// The case name; also the position's identity.
std::string_view rawValue(KeyHUDPosition position);
// Exact, case-sensitive case names only.
std::optional<KeyHUDPosition> keyHUDPositionFromRawValue(std::string_view raw);

std::string_view labelEN(KeyHUDPosition position);
std::string_view labelTR(KeyHUDPosition position);

} // namespace tarn::input
