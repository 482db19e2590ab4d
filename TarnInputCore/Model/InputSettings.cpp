#include "TarnInputCore/Model/InputSettings.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/ModelJson.h"
#include "TarnKit/Foundation/StrictJson.h"

namespace tarn::input {

using nlohmann::json;
using namespace model_json;

namespace {

// Reads the fields of one settings object in order, each over its default; the first value
// that does not decode stops the reading and is kept as the error.
class FieldReader {
public:
    FieldReader(const json& object, InputSettings& settings)
        : m_object(object)
        , m_settings(settings)
    {
    }

    const std::optional<DecodeError>& error() const { return m_error; }

    void boolean(std::string_view key, bool InputSettings::*field)
    {
        read(
            key, field, [](const json& value) { return StrictJson::boolean(value); }, "expected true or false");
    }

    void number(std::string_view key, double InputSettings::*field)
    {
        read(
            key, field, [](const json& value) { return StrictJson::number(value); }, "expected a finite number");
    }

    void action(std::string_view key, MouseButtonAction InputSettings::*field)
    {
        read(key, field, mouseButtonActionValue, "expected the name of an action");
    }

    void button(std::string_view key, MouseButtonKind InputSettings::*field)
    {
        read(key, field, mouseButtonKindValue, "expected the button number 2, 3 or 4");
    }

    void position(std::string_view key, KeyHUDPosition InputSettings::*field)
    {
        read(key, field, keyHUDPositionValue, "expected the name of a key HUD position");
    }

    void strings(std::string_view key, std::vector<std::string> InputSettings::*field)
    {
        const json* value = present(key);
        if (value == nullptr) {
            return;
        }
        if (!value->is_array()) {
            m_error = failure(key, "expected an array of strings");
            return;
        }
        std::vector<std::string> decoded;
        decoded.reserve(value->size());
        for (std::size_t index = 0; index < value->size(); ++index) {
            const json& element = (*value)[index];
            if (!element.is_string()) {
                m_error = failure(std::string(key) + indexKey(index), "expected a string");
                return;
            }
            decoded.push_back(element.get<std::string>());
        }
        m_settings.*field = std::move(decoded);
    }

    // An array of records, each decoded by the record's own rules.
    template <typename Record> void records(std::string_view key, std::vector<Record> InputSettings::*field)
    {
        const json* value = present(key);
        if (value == nullptr) {
            return;
        }
        if (!value->is_array()) {
            m_error = failure(key, "expected an array");
            return;
        }
        std::vector<Record> decoded;
        decoded.reserve(value->size());
        for (std::size_t index = 0; index < value->size(); ++index) {
            auto record = Record::fromJson((*value)[index]);
            if (!record) {
                m_error = nested(std::string(key) + indexKey(index), record.error());
                return;
            }
            decoded.push_back(std::move(record).value());
        }
        m_settings.*field = std::move(decoded);
    }

private:
    // Null when the key is missing or null (the default stays), or when an earlier key failed.
    const json* present(std::string_view key) const
    {
        if (m_error) {
            return nullptr;
        }
        return presentValue(m_object, key);
    }

    template <typename T, typename Decode>
    void read(std::string_view key, T InputSettings::*field, Decode decode, std::string_view expected)
    {
        const json* value = present(key);
        if (value == nullptr) {
            return;
        }
        const std::optional<T> decoded = decode(*value);
        if (!decoded) {
            m_error = failure(key, std::string(expected));
            return;
        }
        m_settings.*field = *decoded;
    }

    const json& m_object;
    InputSettings& m_settings;
    std::optional<DecodeError> m_error;
};

// JSON has no form for NaN or infinity; such a value is written as the field's default.
double writableNumber(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

} // namespace

InputSettings::InputSettings(bool engineEnabled, bool reverseMouseWheel, bool reverseTrackpad, bool smoothScrollEnabled,
    double scrollSpeedMultiplier, double smoothDecayRate, bool shiftScrollHorizontal, bool optionScrollZoomEnabled,
    std::vector<std::string> smoothScrollExcludedBundles, bool disableMouseAcceleration, double pointerSpeedMultiplier,
    bool doubleClickGuardEnabled, double doubleClickGuardThresholdMs, bool easyWindowDragEnabled,
    bool buttonRemapEnabled, MouseButtonAction middleButtonAction, MouseButtonAction sideBackAction,
    MouseButtonAction sideForwardAction, std::vector<AppButtonRule> appOverrides, bool gestureChordsEnabled,
    MouseButtonKind gestureTriggerButton, MouseButtonAction gestureUpAction, MouseButtonAction gestureDownAction,
    MouseButtonAction gestureLeftAction, MouseButtonAction gestureRightAction, double gestureThresholdPoints,
    bool keyHUDEnabled, bool clickRippleEnabled, bool keyHUDShortcutsOnly, bool keyHUDHideInSecureFields,
    KeyHUDPosition keyHUDPosition, double keyHUDDurationSeconds, std::vector<AppInputProfile> appProfiles,
    std::vector<InputMacro> macros, double nominalPointerDPI)
    : engineEnabled(engineEnabled)
    , reverseMouseWheel(reverseMouseWheel)
    , reverseTrackpad(reverseTrackpad)
    , smoothScrollEnabled(smoothScrollEnabled)
    , scrollSpeedMultiplier(scrollSpeedMultiplier)
    , smoothDecayRate(smoothDecayRate)
    , shiftScrollHorizontal(shiftScrollHorizontal)
    , optionScrollZoomEnabled(optionScrollZoomEnabled)
    , smoothScrollExcludedBundles(std::move(smoothScrollExcludedBundles))
    , disableMouseAcceleration(disableMouseAcceleration)
    , pointerSpeedMultiplier(pointerSpeedMultiplier)
    , doubleClickGuardEnabled(doubleClickGuardEnabled)
    , doubleClickGuardThresholdMs(doubleClickGuardThresholdMs)
    , easyWindowDragEnabled(easyWindowDragEnabled)
    , buttonRemapEnabled(buttonRemapEnabled)
    , middleButtonAction(middleButtonAction)
    , sideBackAction(sideBackAction)
    , sideForwardAction(sideForwardAction)
    , appOverrides(std::move(appOverrides))
    , gestureChordsEnabled(gestureChordsEnabled)
    , gestureTriggerButton(gestureTriggerButton)
    , gestureUpAction(gestureUpAction)
    , gestureDownAction(gestureDownAction)
    , gestureLeftAction(gestureLeftAction)
    , gestureRightAction(gestureRightAction)
    , gestureThresholdPoints(gestureThresholdPoints)
    , keyHUDEnabled(keyHUDEnabled)
    , clickRippleEnabled(clickRippleEnabled)
    , keyHUDShortcutsOnly(keyHUDShortcutsOnly)
    , keyHUDHideInSecureFields(keyHUDHideInSecureFields)
    , keyHUDPosition(keyHUDPosition)
    , keyHUDDurationSeconds(keyHUDDurationSeconds)
    , appProfiles(std::move(appProfiles))
    , macros(std::move(macros))
    , nominalPointerDPI(boundedPointerDPI(nominalPointerDPI))
{
}

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
    static const InputSettings defaults;
    const auto recordArray = [](const auto& records) {
        json array = json::array();
        for (const auto& record : records) {
            array.push_back(record.toJson());
        }
        return array;
    };

    json object = json::object();
    object["engineEnabled"] = engineEnabled;
    object["reverseMouseWheel"] = reverseMouseWheel;
    object["reverseTrackpad"] = reverseTrackpad;
    object["smoothScrollEnabled"] = smoothScrollEnabled;
    object["scrollSpeedMultiplier"] = writableNumber(scrollSpeedMultiplier, defaults.scrollSpeedMultiplier);
    object["smoothDecayRate"] = writableNumber(smoothDecayRate, defaults.smoothDecayRate);
    object["shiftScrollHorizontal"] = shiftScrollHorizontal;
    object["optionScrollZoomEnabled"] = optionScrollZoomEnabled;
    object["smoothScrollExcludedBundles"] = smoothScrollExcludedBundles;
    object["disableMouseAcceleration"] = disableMouseAcceleration;
    object["pointerSpeedMultiplier"] = writableNumber(pointerSpeedMultiplier, defaults.pointerSpeedMultiplier);
    object["doubleClickGuardEnabled"] = doubleClickGuardEnabled;
    object["doubleClickGuardThresholdMs"]
        = writableNumber(doubleClickGuardThresholdMs, defaults.doubleClickGuardThresholdMs);
    object["easyWindowDragEnabled"] = easyWindowDragEnabled;
    object["buttonRemapEnabled"] = buttonRemapEnabled;
    object["middleButtonAction"] = rawValue(middleButtonAction);
    object["sideBackAction"] = rawValue(sideBackAction);
    object["sideForwardAction"] = rawValue(sideForwardAction);
    object["appOverrides"] = recordArray(appOverrides);
    object["gestureChordsEnabled"] = gestureChordsEnabled;
    object["gestureTriggerButton"] = rawValue(gestureTriggerButton);
    object["gestureUpAction"] = rawValue(gestureUpAction);
    object["gestureDownAction"] = rawValue(gestureDownAction);
    object["gestureLeftAction"] = rawValue(gestureLeftAction);
    object["gestureRightAction"] = rawValue(gestureRightAction);
    object["gestureThresholdPoints"] = writableNumber(gestureThresholdPoints, defaults.gestureThresholdPoints);
    object["keyHUDEnabled"] = keyHUDEnabled;
    object["clickRippleEnabled"] = clickRippleEnabled;
    object["keyHUDShortcutsOnly"] = keyHUDShortcutsOnly;
    object["keyHUDHideInSecureFields"] = keyHUDHideInSecureFields;
    object["keyHUDPosition"] = rawValue(keyHUDPosition);
    object["keyHUDDurationSeconds"] = writableNumber(keyHUDDurationSeconds, defaults.keyHUDDurationSeconds);
    object["appProfiles"] = recordArray(appProfiles);
    object["macros"] = recordArray(macros);
    object["nominalPointerDPI"] = writableNumber(nominalPointerDPI, defaults.nominalPointerDPI);
    return object;
}

DecodeResult<InputSettings> InputSettings::fromJson(const nlohmann::json& value)
{
    if (!value.is_object()) {
        return fail(failure("", "expected an object"));
    }
    InputSettings settings;
    FieldReader reader(value, settings);
    reader.boolean("engineEnabled", &InputSettings::engineEnabled);
    reader.boolean("reverseMouseWheel", &InputSettings::reverseMouseWheel);
    reader.boolean("reverseTrackpad", &InputSettings::reverseTrackpad);
    reader.boolean("smoothScrollEnabled", &InputSettings::smoothScrollEnabled);
    reader.number("scrollSpeedMultiplier", &InputSettings::scrollSpeedMultiplier);
    reader.number("smoothDecayRate", &InputSettings::smoothDecayRate);
    reader.boolean("shiftScrollHorizontal", &InputSettings::shiftScrollHorizontal);
    reader.boolean("optionScrollZoomEnabled", &InputSettings::optionScrollZoomEnabled);
    reader.strings("smoothScrollExcludedBundles", &InputSettings::smoothScrollExcludedBundles);
    reader.boolean("disableMouseAcceleration", &InputSettings::disableMouseAcceleration);
    reader.number("pointerSpeedMultiplier", &InputSettings::pointerSpeedMultiplier);
    reader.boolean("doubleClickGuardEnabled", &InputSettings::doubleClickGuardEnabled);
    reader.number("doubleClickGuardThresholdMs", &InputSettings::doubleClickGuardThresholdMs);
    reader.boolean("easyWindowDragEnabled", &InputSettings::easyWindowDragEnabled);
    reader.boolean("buttonRemapEnabled", &InputSettings::buttonRemapEnabled);
    reader.action("middleButtonAction", &InputSettings::middleButtonAction);
    reader.action("sideBackAction", &InputSettings::sideBackAction);
    reader.action("sideForwardAction", &InputSettings::sideForwardAction);
    reader.records("appOverrides", &InputSettings::appOverrides);
    reader.boolean("gestureChordsEnabled", &InputSettings::gestureChordsEnabled);
    reader.button("gestureTriggerButton", &InputSettings::gestureTriggerButton);
    reader.action("gestureUpAction", &InputSettings::gestureUpAction);
    reader.action("gestureDownAction", &InputSettings::gestureDownAction);
    reader.action("gestureLeftAction", &InputSettings::gestureLeftAction);
    reader.action("gestureRightAction", &InputSettings::gestureRightAction);
    reader.number("gestureThresholdPoints", &InputSettings::gestureThresholdPoints);
    reader.boolean("keyHUDEnabled", &InputSettings::keyHUDEnabled);
    reader.boolean("clickRippleEnabled", &InputSettings::clickRippleEnabled);
    reader.boolean("keyHUDShortcutsOnly", &InputSettings::keyHUDShortcutsOnly);
    reader.boolean("keyHUDHideInSecureFields", &InputSettings::keyHUDHideInSecureFields);
    reader.position("keyHUDPosition", &InputSettings::keyHUDPosition);
    reader.number("keyHUDDurationSeconds", &InputSettings::keyHUDDurationSeconds);
    reader.records("appProfiles", &InputSettings::appProfiles);
    reader.records("macros", &InputSettings::macros);
    reader.number("nominalPointerDPI", &InputSettings::nominalPointerDPI);
    if (reader.error()) {
        return fail(*reader.error());
    }
    settings.nominalPointerDPI = boundedPointerDPI(settings.nominalPointerDPI);
    return settings;
}

} // namespace tarn::input
