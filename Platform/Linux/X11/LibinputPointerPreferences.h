#pragma once

// The global pointer preferences on Linux: the libinput properties of the X server's devices.
// "linear" is the flat acceleration profile ("libinput Accel Profile Enabled") on every mouse;
// "scaling" is the pointer speed ("libinput Accel Speed", −1 … 1), shown on the preferences'
// scale of 0.25 … 3.0 with 1.0 as the desktop's default speed. Writing −1, "the acceleration
// curve off", leaves the speed alone: on Linux the flat profile alone switches the curve off, and
// the user's speed stays as it was. Touchpad natural scrolling is "libinput Natural Scrolling
// Enabled" on every touchpad. On GNOME the desktop's own settings are written too, so its
// settings daemon does not undo the change.
//
// Every answer is read back from the devices; a change counts only when every device (and the
// desktop) holds it afterwards, so a refusal is reported as a failure. Without libinput devices
// (a Wayland session, no X11 display, another input driver) nothing is available: the values are
// absent and every change fails. That is logged once.

#include <optional>

#include "Platform/Linux/X11/PointerPropertyBackend.h"
#include "TarnInputCore/PointerPreferences/PointerPreferences.h"
#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn::input {

class LibinputPointerPreferences final : public PointerPreferences {
public:
    // The backend outlives the preferences.
    LibinputPointerPreferences(PointerPropertyBackend& backend, LogSink& log);

    std::optional<PointerPreferenceValue> linear() const override;
    std::optional<PointerPreferenceValue> scaling() const override;
    void setLinear(bool linear) override;
    void setScaling(double scaling) override;
    [[nodiscard]] bool synchronize() override;

    std::optional<bool> touchpadNaturalScrolling() const override;
    [[nodiscard]] bool setTouchpadNaturalScrolling(bool natural) override;

    // The preferences' speed scale and libinput's, both ways: 0.25 ↔ −1, 1.0 ↔ 0, 3.0 ↔ 1.
    static double libinputSpeed(double scaling);
    static double scalingForLibinputSpeed(double speed);

private:
    std::vector<PointerPropertyBackend::Device> devicesWith(std::string_view property, bool touchpads) const;
    void logUnavailableOnce(std::string_view what) const;

    PointerPropertyBackend& m_backend;
    LogSink& m_log;
    std::optional<bool> m_pendingLinear;
    std::optional<double> m_pendingScaling;
    mutable bool m_loggedUnavailable = false;
};

} // namespace tarn::input
