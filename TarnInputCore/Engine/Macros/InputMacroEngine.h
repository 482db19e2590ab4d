#pragma once

// Decides whether a macro may be played or saved, estimates how long it runs, and turns the
// modifier words of a keystroke step into event flags and glyphs. Stateless.

#include <cstdint>
#include <string>
#include <vector>

#include "TarnInputCore/Engine/Macros/MacroValidationIssue.h"
#include "TarnInputCore/Model/Macros/InputMacro.h"

namespace tarn::input {

class InputMacroEngine {
public:
    static constexpr std::int64_t maxStepsPerMacro = 64;
    static constexpr std::int64_t maxDelayPerStepMs = 10'000;
    static constexpr std::int64_t maxTotalDurationMs = 30'000;
    static constexpr std::int64_t maxTextStepCharacters = 500;
    static constexpr std::uint16_t maxValidKeyCode = 127;
    static constexpr std::int64_t keystrokeDurationMs = 20;
    static constexpr std::int64_t typeTextCharDurationMs = 5;

    // Every issue, in report order: name, step count, each step in order, total duration.
    static std::vector<MacroValidationIssue> validate(const InputMacro& macro);
    static bool isValid(const InputMacro& macro);
    // 20 ms per keystroke, the delay itself (negative counts as 0), 5 ms per typed character.
    // The sum stops at the largest 64-bit value instead of overflowing.
    static std::int64_t estimatedDurationMs(const InputMacro& macro);
    static std::uint64_t cgEventFlags(const std::vector<std::string>& modifiers);
    // The glyphs of the modifiers, always in the order ⌃⌥⇧⌘.
    static std::string modifierGlyphPrefix(const std::vector<std::string>& modifiers);
};

} // namespace tarn::input
