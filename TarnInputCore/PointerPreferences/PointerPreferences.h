#pragma once

// Port: the user's global pointer preferences, the ones every application's pointer follows.
// Two values matter: "linear" (acceleration off when true) and "scaling" (the tracking speed, −1
// switching the acceleration curve off). A value is read as it is stored, so a value of the wrong
// type can be told apart from a missing one. Touchpad scrolling direction sits beside them: it is
// the same kind of system-wide pointer preference, applied on its own.

#include <optional>
#include <string>
#include <variant>

namespace tarn::input {

// A stored preference: a Boolean, a number or, when something else wrote it, text.
using PointerPreferenceValue = std::variant<bool, double, std::string>;

class PointerPreferences {
public:
    virtual ~PointerPreferences() = default;

    virtual std::optional<PointerPreferenceValue> linear() const = 0;
    virtual std::optional<PointerPreferenceValue> scaling() const = 0;
    virtual void setLinear(bool linear) = 0;
    virtual void setScaling(double scaling) = 0;
    // Makes the written values durable and visible to the system; false when that failed.
    [[nodiscard]] virtual bool synchronize() = 0;

    // Whether touchpad scrolling follows the fingers ("natural"), as the system has it now;
    // absent when there is no touchpad setting to read.
    virtual std::optional<bool> touchpadNaturalScrolling() const = 0;
    // Applies at once; false when the system refused it or has no such setting.
    [[nodiscard]] virtual bool setTouchpadNaturalScrolling(bool natural) = 0;
};

} // namespace tarn::input
