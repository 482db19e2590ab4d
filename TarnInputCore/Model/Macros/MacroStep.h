#pragma once

// One step of a macro, with an identity of its own so that lists can remove it.

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "TarnInputCore/Model/Macros/MacroStepKind.h"
#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Json/DecodeError.h"

namespace tarn::input {

struct MacroStep {
    Uuid id;
    MacroStepKind kind;

    // Each gives the step a fresh random identity and stores its arguments unchanged.
    static MacroStep keystroke(std::uint16_t keyCode, std::vector<std::string> modifiers, std::string label);
    static MacroStep delay(std::int64_t ms);
    static MacroStep typeText(std::string text);

    // The short text that stands for the step in the builder and the macro list: the keystroke's
    // label (or its glyphs), "70 ms", or the quoted text cut to 18 characters.
    std::string displayBadge() const;
    // The badge a user reads: a keystroke whose label is empty or the builder's own glyphs is named
    // by the keys the macro presses on Linux ("Ctrl+C", "Super", "Shift+Print"; arrows and the
    // space bar in the interface language); any other label, a delay and a text as `displayBadge`.
    std::string linuxBadge(bool turkish) const;

    nlohmann::json toJson() const;
    // "id" may be missing or null (a fresh identity is made); "kind" is required.
    static DecodeResult<MacroStep> fromJson(const nlohmann::json& value);

    bool operator==(const MacroStep&) const = default;
};

} // namespace tarn::input
