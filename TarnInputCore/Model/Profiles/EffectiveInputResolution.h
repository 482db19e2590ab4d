#pragma once

// What applies for one frontmost application: computed once per change of application or of
// settings, then read by the engine on every event. Treat it as immutable; replace it whole.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"
#include "TarnKit/Foundation/Basics/Uuid.h"

namespace tarn::input {

struct EffectiveInputResolution {
    // As passed to the resolver: not trimmed, not lower-cased.
    std::optional<std::string> frontmostBundleID;
    std::optional<std::string> frontmostAppName;
    // Absent = no profile matched; the global settings apply.
    std::optional<Uuid> matchedProfileID;
    std::optional<std::string> matchedProfileName;
    bool reverseMouseWheel = false;
    bool smoothScrollEnabled = false;
    // Always within [0.4, 4.0] when made by the resolver.
    double scrollSpeedMultiplier = 1.0;
    // Exactly the keys 2, 3 and 4 when made by the resolver.
    std::map<std::int64_t, MouseButtonAction> buttonActions;
    // Button number → macro identity; may be empty, and may hold numbers other than 2, 3, 4.
    std::map<std::int64_t, Uuid> macroBindings;

    bool isUsingAppProfile() const { return matchedProfileID.has_value(); }
    // passthrough when the map has no entry for the button.
    MouseButtonAction action(MouseButtonKind button) const;
    std::optional<Uuid> macroID(MouseButtonKind button) const;

    bool operator==(const EffectiveInputResolution&) const = default;
};

} // namespace tarn::input
