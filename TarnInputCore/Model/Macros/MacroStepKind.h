#pragma once

// What one macro step does: press a key with modifiers, pause, or type text. No value is
// range-checked here; validation decides what may be played.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"

namespace tarn::input {

// One key press and release. The modifier words are free text ("cmd", "shift", "⌥" …); words the
// engine does not know are ignored when playing. The label is display text only.
struct MacroKeystroke {
    std::uint16_t keyCode = 0;
    std::vector<std::string> modifiers;
    std::string label;

    // The label the macro builder writes for a key and its modifier words: the modifiers' glyphs
    // in the order ⌃⌥⇧⌘, then the key's symbol, or "Key" for a key without one ("⇧⌘4").
    static std::string glyphLabel(std::uint16_t keyCode, const std::vector<std::string>& modifiers);

    bool operator==(const MacroKeystroke&) const = default;
};

struct MacroDelay {
    std::int64_t milliseconds = 0;

    bool operator==(const MacroDelay&) const = default;
};

struct MacroTypeText {
    std::string text;

    bool operator==(const MacroTypeText&) const = default;
};

// The cases are written in JSON as one key naming the case: "keystroke", "delayMs", "typeText".
using MacroStepKind = std::variant<MacroKeystroke, MacroDelay, MacroTypeText>;

// {"keystroke":{"keyCode":8,"label":"⌘C","modifiers":["cmd"]}}, {"delayMs":{"_0":70}},
// {"typeText":{"_0":"hello"}}.
nlohmann::json macroStepKindToJson(const MacroStepKind& kind);
// Exactly one case key must be present (other keys are ignored), with all its inner keys.
DecodeResult<MacroStepKind> macroStepKindFromJson(const nlohmann::json& value);

} // namespace tarn::input
