#include "TarnInputCore/Model/Settings/InputSettings.h"

#include <cmath>
#include <tuple>
#include <type_traits>

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/Settings/ModelJson.h"

namespace tarn::input {

using nlohmann::json;
using namespace model_json;

namespace {

// One key of the settings file and the field it holds.
template <typename T> struct Field {
    std::string_view key;
    T InputSettings::*member;
};
// Spelled out for clang 14, which does not deduce an aggregate's template arguments by itself.
template <typename T> Field(std::string_view, T InputSettings::*) -> Field<T>;

// Every key of the settings file with its field, in the fields' order. Writing and reading both
// follow this one list; a default-constructed value holds each field's default.
constexpr std::tuple kFields {
    Field {"engineEnabled", &InputSettings::engineEnabled},
    Field {"reverseMouseWheel", &InputSettings::reverseMouseWheel},
    Field {"reverseTrackpad", &InputSettings::reverseTrackpad},
    Field {"smoothScrollEnabled", &InputSettings::smoothScrollEnabled},
    Field {"scrollSpeedMultiplier", &InputSettings::scrollSpeedMultiplier},
    Field {"smoothDecayRate", &InputSettings::smoothDecayRate},
    Field {"shiftScrollHorizontal", &InputSettings::shiftScrollHorizontal},
    Field {"optionScrollZoomEnabled", &InputSettings::optionScrollZoomEnabled},
    Field {"smoothScrollExcludedBundles", &InputSettings::smoothScrollExcludedBundles},
    Field {"disableMouseAcceleration", &InputSettings::disableMouseAcceleration},
    Field {"pointerSpeedMultiplier", &InputSettings::pointerSpeedMultiplier},
    Field {"doubleClickGuardEnabled", &InputSettings::doubleClickGuardEnabled},
    Field {"doubleClickGuardThresholdMs", &InputSettings::doubleClickGuardThresholdMs},
    Field {"easyWindowDragEnabled", &InputSettings::easyWindowDragEnabled},
    Field {"buttonRemapEnabled", &InputSettings::buttonRemapEnabled},
    Field {"middleButtonAction", &InputSettings::middleButtonAction},
    Field {"sideBackAction", &InputSettings::sideBackAction},
    Field {"sideForwardAction", &InputSettings::sideForwardAction},
    Field {"appOverrides", &InputSettings::appOverrides},
    Field {"gestureChordsEnabled", &InputSettings::gestureChordsEnabled},
    Field {"gestureTriggerButton", &InputSettings::gestureTriggerButton},
    Field {"gestureUpAction", &InputSettings::gestureUpAction},
    Field {"gestureDownAction", &InputSettings::gestureDownAction},
    Field {"gestureLeftAction", &InputSettings::gestureLeftAction},
    Field {"gestureRightAction", &InputSettings::gestureRightAction},
    Field {"gestureThresholdPoints", &InputSettings::gestureThresholdPoints},
    Field {"keyHUDEnabled", &InputSettings::keyHUDEnabled},
    Field {"clickRippleEnabled", &InputSettings::clickRippleEnabled},
    Field {"keyHUDShortcutsOnly", &InputSettings::keyHUDShortcutsOnly},
    Field {"keyHUDHideInSecureFields", &InputSettings::keyHUDHideInSecureFields},
    Field {"keyHUDPosition", &InputSettings::keyHUDPosition},
    Field {"keyHUDDurationSeconds", &InputSettings::keyHUDDurationSeconds},
    Field {"appProfiles", &InputSettings::appProfiles},
    Field {"macros", &InputSettings::macros},
    Field {"nominalPointerDPI", &InputSettings::nominalPointerDPI},
};
static_assert(std::tuple_size_v<decltype(kFields)> == 35);

template <typename Visit> void forEachField(Visit&& visit)
{
    std::apply([&visit](const auto&... field) { (visit(field), ...); }, kFields);
}

json encoded(bool value, bool)
{
    return value;
}

// JSON has no form for NaN or infinity; such a value is written as the field's default.
json encoded(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

template <typename Enum>
requires std::is_enum_v<Enum> json encoded(Enum value, Enum)
{
    return rawValue(value);
}

json encoded(const std::vector<std::string>& strings, const std::vector<std::string>&)
{
    return strings;
}

template <typename Record> json encoded(const std::vector<Record>& records, const std::vector<Record>&)
{
    json array = json::array();
    for (const auto& record : records) {
        array.push_back(record.toJson());
    }
    return array;
}

constexpr ValueKind<bool> valueKind(bool InputSettings::*)
{
    return kBoolean;
}
constexpr ValueKind<double> valueKind(double InputSettings::*)
{
    return kFiniteNumber;
}
constexpr ValueKind<InputSettings::PointerDPI> valueKind(InputSettings::PointerDPI InputSettings::*)
{
    return {[](const json& value) -> std::optional<InputSettings::PointerDPI> {
                if (const auto number = StrictJson::number(value)) {
                    return *number;
                }
                return std::nullopt;
            },
        kFiniteNumber.expected};
}
constexpr ValueKind<MouseButtonAction> valueKind(MouseButtonAction InputSettings::*)
{
    return kAction;
}
constexpr ValueKind<MouseButtonKind> valueKind(MouseButtonKind InputSettings::*)
{
    return kButton;
}
constexpr ValueKind<KeyHUDPosition> valueKind(KeyHUDPosition InputSettings::*)
{
    return kHUDPosition;
}

template <typename T> void readField(JsonFieldReader<InputSettings>& reader, const Field<T>& field)
{
    if constexpr (std::is_same_v<T, std::vector<std::string>>) {
        reader.strings(field.key, field.member);
    } else if constexpr (requires { valueKind(field.member); }) {
        reader.optional(field.key, field.member, valueKind(field.member));
    } else {
        reader.records(field.key, field.member, "expected an array");
    }
}

} // namespace

double InputSettings::boundedPointerDPI(double dpi)
{
    if (!std::isfinite(dpi)) {
        return kDefaultPointerDPI;
    }
    if (dpi <= kMinimumPointerDPI) {
        dpi = kMinimumPointerDPI;
    }
    if (dpi > kMaximumPointerDPI) {
        dpi = kMaximumPointerDPI;
    }
    return dpi;
}

MouseButtonAction InputSettings::globalAction(MouseButtonKind button) const
{
    switch (button) {
    case MouseButtonKind::middle:
        return middleButtonAction;
    case MouseButtonKind::sideBack:
        return sideBackAction;
    case MouseButtonKind::sideForward:
        return sideForwardAction;
    }
    return MouseButtonAction::passthrough;
}

MouseButtonAction InputSettings::gestureAction(GestureDirection direction) const
{
    switch (direction) {
    case GestureDirection::up:
        return gestureUpAction;
    case GestureDirection::down:
        return gestureDownAction;
    case GestureDirection::left:
        return gestureLeftAction;
    case GestureDirection::right:
        return gestureRightAction;
    }
    return MouseButtonAction::passthrough;
}

nlohmann::json InputSettings::toJson() const
{
    static const InputSettings defaults {};
    json object = json::object();
    forEachField([&](const auto& field) { object[field.key] = encoded(this->*field.member, defaults.*field.member); });
    return object;
}

DecodeResult<InputSettings> InputSettings::fromJson(const nlohmann::json& value)
{
    return decodeRecord(value, InputSettings {},
        [](auto& reader, InputSettings&) { forEachField([&reader](const auto& field) { readField(reader, field); }); });
}

} // namespace tarn::input
