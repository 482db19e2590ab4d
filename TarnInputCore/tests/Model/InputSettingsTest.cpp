#include "TarnInputCore/Model/Settings/InputSettings.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn::input {
namespace {

using nlohmann::json;

std::string settingsData(std::string_view name)
{
    std::ifstream stream(std::string(TARN_TEST_DATA_DIR) + "/settings/" + std::string(name));
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

json fullSettingsDocument()
{
    return json::parse(settingsData("full-settings.json"));
}

InputSettings decoded(const json& document)
{
    auto result = InputSettings::fromJson(document);
    EXPECT_TRUE(result.hasValue()) << (result ? "" : result.error().description());
    return result ? result.value() : InputSettings {};
}

TEST(InputSettingsTest, EmptyObjectAndNullValuesReadAsDefaults)
{
    EXPECT_EQ(decoded(json::object()), InputSettings {});

    json allNull = json::object();
    const json defaults = InputSettings {}.toJson();
    for (const auto& [key, value] : defaults.items()) {
        allNull[key] = nullptr;
    }
    EXPECT_EQ(decoded(allNull), InputSettings {});
}

TEST(InputSettingsTest, MissingKeysTakeDefaultsAndUnknownKeysAreIgnored)
{
    const auto settings = decoded(json {{"engineEnabled", false}, {"schemaVersion", 7}, {"scrollSpeedMultiplier", 9}});
    InputSettings expected;
    expected.engineEnabled = false;
    // Stored as given: only resolution bounds the speed.
    expected.scrollSpeedMultiplier = 9;
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(settings.toJson().size(), 35u);
}

TEST(InputSettingsTest, DefaultsAreThoseOfTheSettingsFile)
{
    const InputSettings defaults;
    EXPECT_TRUE(defaults.engineEnabled);
    EXPECT_DOUBLE_EQ(defaults.scrollSpeedMultiplier, 1.35);
    EXPECT_DOUBLE_EQ(defaults.smoothDecayRate, 0.22);
    EXPECT_EQ(defaults.smoothScrollExcludedBundles,
        (std::vector<std::string> {"com.figma.Desktop", "org.blenderfoundation.blender"}));
    EXPECT_EQ(defaults.middleButtonAction, MouseButtonAction::missionControl);
    EXPECT_EQ(defaults.gestureDownAction, MouseButtonAction::appExpose);
    EXPECT_EQ(defaults.gestureTriggerButton, MouseButtonKind::middle);
    EXPECT_EQ(defaults.keyHUDPosition, KeyHUDPosition::bottomCenter);
    EXPECT_DOUBLE_EQ(defaults.doubleClickGuardThresholdMs, 45);
    EXPECT_DOUBLE_EQ(defaults.gestureThresholdPoints, 46);
    EXPECT_DOUBLE_EQ(defaults.keyHUDDurationSeconds, 1.6);
    EXPECT_DOUBLE_EQ(defaults.nominalPointerDPI, 1600);
}

TEST(InputSettingsTest, PointerDPIIsBoundedByDecoding)
{
    const std::vector<std::pair<double, double>> cases {
        {50, 100}, {100, 100}, {100.5, 100.5}, {800, 800}, {32000, 32000}, {40000, 32000}, {-3, 100}};
    for (const auto& [stored, expected] : cases) {
        EXPECT_DOUBLE_EQ(decoded(json {{"nominalPointerDPI", stored}}).nominalPointerDPI, expected) << stored;
    }
    EXPECT_DOUBLE_EQ(InputSettings::boundedPointerDPI(std::numeric_limits<double>::infinity()), 1600);
    EXPECT_DOUBLE_EQ(InputSettings::boundedPointerDPI(std::numeric_limits<double>::quiet_NaN()), 1600);

    // A value built field by field keeps every field it does not name at its default.
    const InputSettings constructed {.engineEnabled = true,
        .keyHUDPosition = KeyHUDPosition::bottomCenter,
        .nominalPointerDPI = InputSettings::boundedPointerDPI(std::numeric_limits<double>::infinity())};
    EXPECT_EQ(constructed, InputSettings {});
}

// Settings made in code, not only decoded ones, keep the bound: the engine, the store and the
// screens never see a resolution outside it.
TEST(InputSettingsTest, PointerDPIIsBoundedWhereverSettingsAreMade)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<double, double>> cases {{std::numeric_limits<double>::quiet_NaN(), 1600},
        {infinity, 1600}, {-infinity, 1600}, {50, 100}, {40000, 32000}, {2400, 2400}};
    for (const auto& [given, expected] : cases) {
        InputSettings settings;
        settings.nominalPointerDPI = given;
        EXPECT_DOUBLE_EQ(settings.nominalPointerDPI, expected) << given;
        EXPECT_DOUBLE_EQ(settings.toJson()["nominalPointerDPI"].get<double>(), expected) << given;
        InputSettings bounded;
        bounded.nominalPointerDPI = expected;
        EXPECT_EQ(settings, bounded) << given;
    }
}

TEST(InputSettingsTest, EveryBadValueFailsTheWholeDocument)
{
    const std::vector<std::pair<std::string, json>> cases {
        {"/middleButtonAction", "launchRocket"},
        {"/middleButtonAction", "MissionControl"},
        {"/scrollSpeedMultiplier", "fast"},
        {"/gestureTriggerButton", 7},
        {"/gestureTriggerButton", 1},
        {"/gestureTriggerButton", 2.0},
        {"/gestureTriggerButton", "middle"},
        {"/engineEnabled", 0},
        {"/engineEnabled", "true"},
        {"/keyHUDPosition", "center"},
        {"/nominalPointerDPI", "800"},
        {"/nominalPointerDPI", true},
        {"/smoothScrollExcludedBundles", "com.figma.Desktop"},
        {"/smoothScrollExcludedBundles/1", nullptr},
        {"/smoothScrollExcludedBundles/1", 3},
        {"/appOverrides", json::object()},
        {"/appOverrides/0/button", 5},
        {"/appOverrides/0/isEnabled", nullptr},
        {"/appOverrides/0/id", "not-a-uuid"},
        {"/appProfiles/0/buttonActionOverrides/2", "teleport"},
        {"/appProfiles/0/macroBindings/3", "9A8B7C6D"},
        {"/appProfiles/0/scrollSpeedMultiplierOverride", "1.4"},
        {"/macros/0/triggerButtonNumber", 3.5},
        {"/macros/0/isEnabled", 1},
        {"/macros/0/steps/0/kind/keystroke/keyCode", 65536},
        {"/macros/0/steps/0/kind/keystroke/keyCode", -1},
        {"/macros/0/steps/0/kind/keystroke/keyCode", 9.0},
        {"/macros/0/steps/1/kind/delayMs/_0", 120.5},
        {"/macros/0/steps/1/kind/delayMs/_0", 18446744073709551615ull},
        {"/macros/0/steps/2/kind", json {{"typeText", {{"_0", "a"}}}, {"delayMs", {{"_0", 1}}}}},
        {"/macros/0/steps/2", nullptr},
    };
    ASSERT_TRUE(InputSettings::fromJson(fullSettingsDocument()).hasValue());
    for (const auto& [pointer, badValue] : cases) {
        json document = fullSettingsDocument();
        document[json::json_pointer(pointer)] = badValue;
        const auto result = InputSettings::fromJson(document);
        EXPECT_FALSE(result.hasValue()) << pointer << " = " << badValue.dump();
    }
}

TEST(InputSettingsTest, DecodeErrorNamesWhereTheDocumentFailed)
{
    json document = fullSettingsDocument();
    document["macros"][0]["steps"][2]["kind"]["delayMs"] = {{"_0", 5}};
    const auto result = InputSettings::fromJson(document);
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error().path, "macros[0].steps[2].kind");
    EXPECT_EQ(result.error().message, "Invalid number of keys found, expected one.");
}

// Where and why decoding stops, for every kind of field of the settings and its records: the
// first bad key in the file's order wins.
TEST(InputSettingsTest, DecodeErrorsNameTheFieldAndWhatWasExpected)
{
    const struct {
        std::string pointer;
        json badValue;
        std::string path;
        std::string message;
    } cases[] = {
        {"/engineEnabled", 1, "engineEnabled", "expected true or false"},
        {"/scrollSpeedMultiplier", "1", "scrollSpeedMultiplier", "expected a finite number"},
        {"/smoothScrollExcludedBundles", 1, "smoothScrollExcludedBundles", "expected an array of strings"},
        {"/smoothScrollExcludedBundles/1", 1, "smoothScrollExcludedBundles[1]", "expected a string"},
        {"/middleButtonAction", "fly", "middleButtonAction", "expected the name of an action"},
        {"/gestureTriggerButton", 1, "gestureTriggerButton", "expected the button number 2, 3 or 4"},
        {"/keyHUDPosition", "middle", "keyHUDPosition", "expected the name of a key HUD position"},
        {"/appOverrides", json::object(), "appOverrides", "expected an array"},
        {"/appOverrides/0/id", "x", "appOverrides[0].id", "expected a UUID string"},
        {"/appOverrides/0/appDisplayName", nullptr, "appOverrides[0].appDisplayName", "required key is missing"},
        {"/appOverrides/0/button", 9, "appOverrides[0].button", "expected the button number 2, 3 or 4"},
        {"/appOverrides/0/isEnabled", "yes", "appOverrides[0].isEnabled", "expected true or false"},
        {"/appProfiles/0/appName", 3, "appProfiles[0].appName", "expected a string"},
        {"/appProfiles/0/smoothScrollOverride", 0, "appProfiles[0].smoothScrollOverride", "expected true or false"},
        {"/appProfiles/0/scrollSpeedMultiplierOverride", "2", "appProfiles[0].scrollSpeedMultiplierOverride",
            "expected a finite number"},
        {"/appProfiles/0/buttonActionOverrides", json::array(), "appProfiles[0].buttonActionOverrides",
            "expected an object keyed by button numbers"},
        {"/appProfiles/0/buttonActionOverrides/x", "copy", "appProfiles[0].buttonActionOverrides.x",
            "the key is not a decimal integer"},
        {"/appProfiles/0/macroBindings/3", 1, "appProfiles[0].macroBindings.3", "expected a UUID string"},
        {"/macros/0/id", 7, "macros[0].id", "expected a UUID string"},
        {"/macros/0/name", false, "macros[0].name", "expected a string"},
        {"/macros/0/triggerButtonNumber", 1.5, "macros[0].triggerButtonNumber", "expected a 64-bit integer"},
        {"/macros/0/steps", json::object(), "macros[0].steps", "expected an array of steps"},
        {"/macros/0/steps/1/id", "?", "macros[0].steps[1].id", "expected a UUID string"},
        {"/macros/0/steps/1/kind", nullptr, "macros[0].steps[1].kind", "required key is missing"},
        {"/macros/0/isEnabled", nullptr, "", ""},
    };
    for (const auto& testCase : cases) {
        json document = fullSettingsDocument();
        document[json::json_pointer(testCase.pointer)] = testCase.badValue;
        const auto result = InputSettings::fromJson(document);
        if (testCase.path.empty()) {
            EXPECT_TRUE(result.hasValue()) << testCase.pointer;
            continue;
        }
        ASSERT_FALSE(result.hasValue()) << testCase.pointer;
        EXPECT_EQ(result.error().path, testCase.path) << testCase.pointer;
        EXPECT_EQ(result.error().message, testCase.message) << testCase.pointer;
    }
}

TEST(InputSettingsTest, EncodingRoundTripsEveryField)
{
    const auto settings = decoded(fullSettingsDocument());
    EXPECT_EQ(settings.gestureTriggerButton, MouseButtonKind::sideForward);
    EXPECT_EQ(settings.keyHUDPosition, KeyHUDPosition::topRight);
    EXPECT_DOUBLE_EQ(settings.nominalPointerDPI, 800);
    ASSERT_EQ(settings.macros.size(), 1u);
    EXPECT_EQ(settings.macros[0].steps.size(), 3u);
    EXPECT_EQ(decoded(settings.toJson()), settings);
    EXPECT_NE(settings, InputSettings {});
}

// The settings file's exact bytes, as the store writes them: the defaults, and a document with
// every field and record kind set.
TEST(InputSettingsTest, WrittenTextIsByteForByteTheKnownFile)
{
    EXPECT_EQ(StrictJson::dump(InputSettings {}.toJson(), 2) + "\n", settingsData("default-settings-as-written.json"));
    EXPECT_EQ(StrictJson::dump(decoded(fullSettingsDocument()).toJson(), 2) + "\n",
        settingsData("full-settings-as-written.json"));
}

TEST(InputSettingsTest, NonFiniteNumbersAreNeverWritten)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    InputSettings settings;
    settings.scrollSpeedMultiplier = nan;
    settings.keyHUDDurationSeconds = std::numeric_limits<double>::infinity();
    settings.nominalPointerDPI = -std::numeric_limits<double>::infinity();
    AppInputProfile profile;
    profile.scrollSpeedMultiplierOverride = nan;
    settings.appProfiles.push_back(profile);

    const json document = settings.toJson();
    EXPECT_DOUBLE_EQ(document["scrollSpeedMultiplier"].get<double>(), 1.35);
    EXPECT_DOUBLE_EQ(document["keyHUDDurationSeconds"].get<double>(), 1.6);
    EXPECT_DOUBLE_EQ(document["nominalPointerDPI"].get<double>(), 1600);
    EXPECT_FALSE(document["appProfiles"][0].contains("scrollSpeedMultiplierOverride"));
    EXPECT_EQ(document.dump().find("null"), std::string::npos);
}

TEST(InputSettingsTest, GlobalAndGestureActionsFollowTheirFields)
{
    InputSettings settings;
    settings.middleButtonAction = MouseButtonAction::copy;
    settings.sideBackAction = MouseButtonAction::paste;
    settings.sideForwardAction = MouseButtonAction::newTab;
    EXPECT_EQ(settings.globalAction(MouseButtonKind::middle), MouseButtonAction::copy);
    EXPECT_EQ(settings.globalAction(MouseButtonKind::sideBack), MouseButtonAction::paste);
    EXPECT_EQ(settings.globalAction(MouseButtonKind::sideForward), MouseButtonAction::newTab);
    EXPECT_EQ(settings.gestureAction(GestureDirection::up), MouseButtonAction::missionControl);
    EXPECT_EQ(settings.gestureAction(GestureDirection::down), MouseButtonAction::appExpose);
    EXPECT_EQ(settings.gestureAction(GestureDirection::left), MouseButtonAction::switchSpaceLeft);
    EXPECT_EQ(settings.gestureAction(GestureDirection::right), MouseButtonAction::switchSpaceRight);
}

} // namespace
} // namespace tarn::input
