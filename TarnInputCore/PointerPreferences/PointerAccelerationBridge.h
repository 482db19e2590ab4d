#pragma once

// Switches the system's mouse acceleration off (linear movement) and back on through the global
// pointer preferences, for the studio's acceleration switch. The engine never touches pointer
// motion for this, and never uses the bridge.
//
// Switching acceleration off overwrites the tracking speed with the "curve off" value, so the
// bridge remembers the speed it found and puts it back when acceleration is switched on again;
// only when it found none does the caller's speed apply.

#include <optional>

#include "TarnInputCore/PointerPreferences/PointerPreferences.h"

namespace tarn::input {

class PointerAccelerationBridge {
public:
    static constexpr double kMinimumScaling = 0.25;
    static constexpr double kMaximumScaling = 3.0;
    static constexpr double kLinearScaling = -1;

    explicit PointerAccelerationBridge(PointerPreferences& preferences);

    // True only when "linear" is stored as a true Boolean or a non-zero number.
    bool isAccelerationDisabled() const;
    // Returns whether the preferences were synchronised. `scalingSpeed` is clamped to
    // [0.25, 3.0] and used on re-enabling when no earlier speed is remembered.
    [[nodiscard]] bool setAccelerationDisabled(bool disabled, double scalingSpeed);

    static double clampedScaling(double speed);

private:
    PointerPreferences& m_preferences;
    // The user's tracking speed from before acceleration was switched off.
    std::optional<double> m_speedBeforeDisabling;
};

} // namespace tarn::input
