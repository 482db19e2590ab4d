#pragma once

// A short, named list of steps the engine plays as synthetic keyboard input, optionally bound to
// a mouse button. Profiles refer to a macro by its identity.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "TarnInputCore/Model/Macros/MacroStep.h"
#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Json/DecodeError.h"

namespace tarn::input {

struct InputMacro {
    Uuid id;
    std::string name;
    std::string description;
    // The event system's button number (2 middle, 3 side back, 4 side forward); absent = not bound.
    std::optional<std::int64_t> triggerButtonNumber;
    std::vector<MacroStep> steps;
    bool isEnabled = true;

    // Every key is optional on reading: a missing key or null takes its default ("Macro", "",
    // no trigger, no steps, enabled, a fresh identity). A present value of the wrong type fails.
    nlohmann::json toJson() const;
    static DecodeResult<InputMacro> fromJson(const nlohmann::json& value);

    bool operator==(const InputMacro&) const = default;
};

} // namespace tarn::input
