#pragma once

// The three buttons the engine remaps, numbered as the event system numbers them (the button
// number of an other-mouse-button event). The number is also the button's form in the settings file.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarn::input {

enum class MouseButtonKind : std::int64_t { middle = 2, sideBack = 3, sideForward = 4 };

inline constexpr std::array<MouseButtonKind, 3> kAllMouseButtonKinds {
    MouseButtonKind::middle, MouseButtonKind::sideBack, MouseButtonKind::sideForward};

// The button number: 2, 3 or 4. It is also the kind's identity.
constexpr std::int64_t rawValue(MouseButtonKind kind)
{
    return static_cast<std::int64_t>(kind);
}
// Exactly 2, 3 and 4; every other number is not a remappable button.
std::optional<MouseButtonKind> mouseButtonKindFromRawValue(std::int64_t raw);

std::string_view labelEN(MouseButtonKind kind);
std::string_view labelTR(MouseButtonKind kind);

} // namespace tarn::input
