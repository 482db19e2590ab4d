#include "Platform/Linux/X11/LibinputPointerPreferences.h"

#include <cmath>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/tests/FakePointerPropertyBackend.h"
#include "TarnInputCore/PointerPreferences/PointerAccelerationBridge.h"

namespace tarn::input {
namespace {

using Outcome = FakePointerPropertyBackend::WriteOutcome;

constexpr const char* kProfile = "libinput Accel Profile Enabled";
constexpr const char* kSpeed = "libinput Accel Speed";
constexpr const char* kNatural = "libinput Natural Scrolling Enabled";
constexpr const char* kMouseSchema = "org.gnome.desktop.peripherals.mouse";
constexpr const char* kTouchpadSchema = "org.gnome.desktop.peripherals.touchpad";

std::map<std::string, std::vector<double>> mouse(bool flat, double speed)
{
    return {{kProfile, {flat ? 0.0 : 1.0, flat ? 1.0 : 0.0, 0.0}}, {kSpeed, {speed}}, {kNatural, {0}}};
}
std::map<std::string, std::vector<double>> touchpad(bool natural)
{
    return {{kProfile, {1, 0}}, {kSpeed, {0}}, {kNatural, {natural ? 1.0 : 0.0}}, {"libinput Tapping Enabled", {1}}};
}

class LibinputPreferences : public ::testing::Test {
protected:
    void addMice(bool firstFlat, bool secondFlat)
    {
        m_backend.addDevice({7, "Mouse One", false}, mouse(firstFlat, 0.5));
        m_backend.addDevice({9, "Mouse Two", false}, mouse(secondFlat, 0.5));
        m_backend.addDevice({11, "Touchpad", true}, touchpad(false));
        // Not a libinput device (another driver): no such properties, left alone.
        m_backend.addDevice({3, "Virtual core XTEST pointer", false}, {{"Device Enabled", {1}}});
    }
    bool flat(std::uint32_t device) { return m_backend.property(device, kProfile)->at(1) != 0; }

    FakePointerPropertyBackend m_backend;
    RecordingLogSink m_log;
    LibinputPointerPreferences m_preferences {m_backend, m_log};
    PointerAccelerationBridge m_bridge {m_preferences};
};

TEST(LibinputPointerSpeed, MapsThePreferencesScaleToLibinputAndBack)
{
    struct Case {
        double scaling;
        double libinput;
    };
    const Case cases[] = {{0.25, -1}, {0.625, -0.5}, {1.0, 0}, {2.0, 0.5}, {3.0, 1}};
    for (const auto& test : cases) {
        EXPECT_DOUBLE_EQ(LibinputPointerPreferences::libinputSpeed(test.scaling), test.libinput) << test.scaling;
        EXPECT_DOUBLE_EQ(LibinputPointerPreferences::scalingForLibinputSpeed(test.libinput), test.scaling);
    }
    EXPECT_DOUBLE_EQ(LibinputPointerPreferences::libinputSpeed(0.1), -1);
    EXPECT_DOUBLE_EQ(LibinputPointerPreferences::libinputSpeed(5), 1);
    EXPECT_DOUBLE_EQ(LibinputPointerPreferences::libinputSpeed(NAN), 0);
    EXPECT_DOUBLE_EQ(LibinputPointerPreferences::scalingForLibinputSpeed(-3), 0.25);
}

TEST_F(LibinputPreferences, WithoutLibinputDevicesNothingIsAvailableAndThatIsLoggedOnce)
{
    m_backend.addDevice({3, "Virtual core XTEST pointer", false}, {{"Device Enabled", {1}}});
    m_backend.setHasDesktopSettings(true);
    EXPECT_FALSE(m_preferences.linear());
    EXPECT_FALSE(m_preferences.scaling());
    EXPECT_FALSE(m_preferences.touchpadNaturalScrolling());
    EXPECT_FALSE(m_bridge.isAccelerationDisabled());
    EXPECT_FALSE(m_bridge.setAccelerationDisabled(true, 1.0));
    EXPECT_FALSE(m_preferences.setTouchpadNaturalScrolling(true));
    EXPECT_EQ(m_log.lines().size(), 1U);
    EXPECT_FALSE(m_backend.desktopSetting(kMouseSchema, "accel-profile")); // nothing written anywhere
}

TEST_F(LibinputPreferences, AccelerationIsOffOnlyWhenEveryMouseIsFlat)
{
    struct Case {
        bool first;
        bool second;
        bool linear;
    };
    for (const auto& test : {Case {true, true, true}, Case {true, false, false}, Case {false, false, false}}) {
        FakePointerPropertyBackend backend;
        backend.addDevice({7, "Mouse One", false}, mouse(test.first, -0.5));
        backend.addDevice({9, "Mouse Two", false}, mouse(test.second, 0.25));
        backend.addDevice({11, "Touchpad", true}, touchpad(false)); // adaptive, but not a mouse
        LibinputPointerPreferences preferences(backend, m_log);
        EXPECT_EQ(preferences.linear(), PointerPreferenceValue {test.linear});
        EXPECT_EQ(preferences.scaling(), PointerPreferenceValue {0.625}); // the first mouse's speed
    }
    EXPECT_TRUE(m_log.lines().empty());
}

TEST_F(LibinputPreferences, SwitchingAccelerationOffAndOnKeepsTheUsersSpeed)
{
    addMice(false, false);
    ASSERT_TRUE(m_bridge.setAccelerationDisabled(true, 1.0));
    EXPECT_TRUE(flat(7));
    EXPECT_TRUE(flat(9));
    EXPECT_FALSE(flat(11)); // the touchpad keeps its own profile
    EXPECT_EQ(m_backend.property(7, kSpeed), std::vector<double> {0.5});
    EXPECT_EQ(m_backend.property(3, "Device Enabled"), std::vector<double> {1});
    EXPECT_TRUE(m_bridge.isAccelerationDisabled());

    ASSERT_TRUE(m_bridge.setAccelerationDisabled(false, 1.0));
    EXPECT_FALSE(flat(7));
    EXPECT_FALSE(flat(9));
    EXPECT_DOUBLE_EQ(m_backend.property(9, kSpeed)->front(), 0.5);
    EXPECT_FALSE(m_bridge.isAccelerationDisabled());
    EXPECT_TRUE(m_log.lines().empty());
}

TEST_F(LibinputPreferences, OnGnomeTheDesktopSettingsFollow)
{
    addMice(false, false);
    m_backend.setHasDesktopSettings(true);
    ASSERT_TRUE(m_bridge.setAccelerationDisabled(true, 1.0));
    EXPECT_EQ(m_backend.desktopSetting(kMouseSchema, "accel-profile"), "'flat'");
    ASSERT_TRUE(m_bridge.setAccelerationDisabled(false, 2.0));
    EXPECT_EQ(m_backend.desktopSetting(kMouseSchema, "accel-profile"), "'adaptive'");
    EXPECT_EQ(m_backend.desktopSetting(kMouseSchema, "speed"), "0.5");
}

TEST_F(LibinputPreferences, ARefusalIsAFailureNeverASuccess)
{
    struct Case {
        const char* what;
        const char* target;
        Outcome outcome;
        bool gnome;
    };
    const Case cases[] = {
        {"the server refuses one mouse", "9/libinput Accel Profile Enabled", Outcome::refused, false},
        {"the server drops the value later", "7/libinput Accel Profile Enabled", Outcome::dropped, false},
        {"the desktop refuses", "org.gnome.desktop.peripherals.mouse accel-profile", Outcome::refused, true},
        {"the desktop keeps it only in memory", "org.gnome.desktop.peripherals.mouse accel-profile", Outcome::dropped,
            true},
    };
    for (const auto& test : cases) {
        FakePointerPropertyBackend backend;
        backend.addDevice({7, "Mouse One", false}, mouse(false, 0));
        backend.addDevice({9, "Mouse Two", false}, mouse(false, 0));
        backend.setHasDesktopSettings(test.gnome);
        backend.setWriteOutcome(test.target, test.outcome);
        RecordingLogSink log;
        LibinputPointerPreferences preferences(backend, log);
        PointerAccelerationBridge bridge(preferences);
        EXPECT_FALSE(bridge.setAccelerationDisabled(true, 1.0)) << test.what;
        EXPECT_EQ(log.count("Pointer acceleration change refused by the system"), 1U) << test.what;
    }
}

TEST_F(LibinputPreferences, TouchpadNaturalScrolling)
{
    addMice(false, false);
    m_backend.addDevice({12, "Second Touchpad", true}, touchpad(true));
    EXPECT_EQ(m_preferences.touchpadNaturalScrolling(), false); // only one of the two has it
    m_backend.setHasDesktopSettings(true);

    ASSERT_TRUE(m_preferences.setTouchpadNaturalScrolling(true));
    EXPECT_EQ(m_preferences.touchpadNaturalScrolling(), true);
    EXPECT_EQ(m_backend.property(11, kNatural), std::vector<double> {1});
    EXPECT_EQ(m_backend.property(7, kNatural), std::vector<double> {0}); // mice are not touched
    EXPECT_EQ(m_backend.desktopSetting(kTouchpadSchema, "natural-scroll"), "true");

    m_backend.setWriteOutcome("12/libinput Natural Scrolling Enabled", Outcome::dropped);
    EXPECT_FALSE(m_preferences.setTouchpadNaturalScrolling(false));
    EXPECT_EQ(m_preferences.touchpadNaturalScrolling(), false);
    EXPECT_EQ(m_log.count("Touchpad scrolling direction change refused by the system"), 1U);
}

TEST_F(LibinputPreferences, WithoutATouchpadScrollingDirectionIsNotAvailable)
{
    m_backend.addDevice({7, "Mouse One", false}, mouse(false, 0));
    EXPECT_FALSE(m_preferences.touchpadNaturalScrolling());
    EXPECT_FALSE(m_preferences.setTouchpadNaturalScrolling(true));
    EXPECT_EQ(m_backend.property(7, kNatural), std::vector<double> {0});
}

} // namespace
} // namespace tarn::input
