#pragma once

// Everything that may differ for one application: wheel direction, smoothing, speed, button
// actions and macro bindings. Matching trims and lower-cases the bundle identifier (see
// AppInputProfileEngine). Map keys are the event system's button numbers (2, 3, 4); nothing
// checks them or that a bound macro exists.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"
#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Json/DecodeError.h"

namespace tarn::input {

struct AppInputProfile {
    Uuid id;
    std::string bundleIdentifier;
    std::string appName;
    bool isEnabled = true;
    // Absent = the global setting applies.
    std::optional<bool> reverseMouseWheelOverride;
    // Absent = the global smoothing rule applies, exclusion list included.
    std::optional<bool> smoothScrollOverride;
    std::optional<double> scrollSpeedMultiplierOverride;
    std::map<std::int64_t, MouseButtonAction> buttonActionOverrides;
    std::map<std::int64_t, Uuid> macroBindings;

    std::optional<MouseButtonAction> buttonAction(MouseButtonKind kind) const;
    std::optional<Uuid> macroID(MouseButtonKind kind) const;

    // The override keys are written only when set; maps are objects keyed by decimal button
    // numbers ({"3":"zoomOut"}). Missing or null keys take their defaults on reading.
    nlohmann::json toJson() const;
    static DecodeResult<AppInputProfile> fromJson(const nlohmann::json& value);

    bool operator==(const AppInputProfile&) const = default;
};

} // namespace tarn::input
