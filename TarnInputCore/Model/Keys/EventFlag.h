#pragma once

// The modifier flag bits of an event (`TapEvent::flags`), as the settings file and macro
// keystrokes store them. Defined once, here, for the engine and the model alike.

#include <cstdint>

namespace tarn::input::EventFlag {

inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t control = 0x40000;
inline constexpr std::uint64_t option = 0x80000;
inline constexpr std::uint64_t command = 0x100000;

} // namespace tarn::input::EventFlag
