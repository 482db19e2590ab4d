#pragma once

// The user's whole input configuration. A default-constructed value holds every default; it is
// what a reset stores and what a missing key reads as. The settings file is this value's JSON
// form, one key per field, named after the field.
//
// The one bound this type keeps: nominalPointerDPI lies in [100, 32000], whether the value was
// decoded or made in code (the field bounds what is assigned to it). Every other number is stored
// as given; resolution bounds the scroll speed.

#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"
#include "TarnInputCore/Model/Macros/InputMacro.h"
#include "TarnInputCore/Model/Pointer/GestureDirection.h"
#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"
#include "TarnInputCore/Model/Profiles/AppButtonRule.h"
#include "TarnInputCore/Model/Profiles/AppInputProfile.h"
#include "TarnKit/Foundation/Json/DecodeError.h"

namespace tarn::input {

struct InputSettings {
    static constexpr double kMinimumPointerDPI = 100;
    static constexpr double kMaximumPointerDPI = 32000;
    static constexpr double kDefaultPointerDPI = 1600;

    // Not finite → 1600; then at most 100 → 100; then above 32000 → 32000.
    static double boundedPointerDPI(double dpi);

    // A nominal pointer resolution that is always within the bound: whatever number is assigned is
    // bounded on the way in. It reads as a plain number.
    class PointerDPI {
    public:
        PointerDPI()
            : m_value(kDefaultPointerDPI)
        {
        }
        // Implicit, so that settings code assigns numbers as to any other field.
        PointerDPI(double dpi)
            : m_value(boundedPointerDPI(dpi))
        {
        }
        operator double() const { return m_value; }

    private:
        double m_value;
    };

    bool engineEnabled = true;
    bool reverseMouseWheel = true;
    bool reverseTrackpad = false;
    bool smoothScrollEnabled = true;
    double scrollSpeedMultiplier = 1.35;
    double smoothDecayRate = 0.22;
    bool shiftScrollHorizontal = true;
    bool optionScrollZoomEnabled = true;
    std::vector<std::string> smoothScrollExcludedBundles {"com.figma.Desktop", "org.blenderfoundation.blender"};
    bool disableMouseAcceleration = false;
    double pointerSpeedMultiplier = 1.0;
    bool doubleClickGuardEnabled = false;
    double doubleClickGuardThresholdMs = 45;
    bool easyWindowDragEnabled = true;
    bool buttonRemapEnabled = true;
    MouseButtonAction middleButtonAction = MouseButtonAction::missionControl;
    MouseButtonAction sideBackAction = MouseButtonAction::browserBack;
    MouseButtonAction sideForwardAction = MouseButtonAction::browserForward;
    std::vector<AppButtonRule> appOverrides {};
    bool gestureChordsEnabled = true;
    MouseButtonKind gestureTriggerButton = MouseButtonKind::middle;
    MouseButtonAction gestureUpAction = MouseButtonAction::missionControl;
    MouseButtonAction gestureDownAction = MouseButtonAction::appExpose;
    MouseButtonAction gestureLeftAction = MouseButtonAction::switchSpaceLeft;
    MouseButtonAction gestureRightAction = MouseButtonAction::switchSpaceRight;
    double gestureThresholdPoints = 46;
    bool keyHUDEnabled = false;
    bool clickRippleEnabled = false;
    bool keyHUDShortcutsOnly = true;
    bool keyHUDHideInSecureFields = true;
    KeyHUDPosition keyHUDPosition = KeyHUDPosition::bottomCenter;
    double keyHUDDurationSeconds = 1.6;
    std::vector<AppInputProfile> appProfiles {};
    std::vector<InputMacro> macros {};
    PointerDPI nominalPointerDPI;

    // The global action of a remappable button.
    MouseButtonAction globalAction(MouseButtonKind button) const;
    MouseButtonAction gestureAction(GestureDirection direction) const;

    // All 35 keys. A number that is not finite is never written: the field's default is
    // written in its place (a profile's speed override is then left out, as if unset).
    nlohmann::json toJson() const;
    // Key by key from the defaults: a missing or null key keeps its default, a present value
    // that does not decode fails the whole value. Unknown keys are ignored.
    static DecodeResult<InputSettings> fromJson(const nlohmann::json& value);

    bool operator==(const InputSettings&) const = default;
};

} // namespace tarn::input
