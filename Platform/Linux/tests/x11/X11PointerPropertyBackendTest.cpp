// Device properties of a real X server. Xvfb's pointers are driven by XTest, not by libinput, so
// the properties that every X server has stand in for the libinput ones, and the preferences
// find nothing to change.

#include "Platform/Linux/X11/X11PointerPropertyBackend.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/X11/LibinputPointerPreferences.h"
#include "TarnInputCore/PointerPreferences/PointerAccelerationBridge.h"

namespace tarn::input {
namespace {

constexpr const char* kMatrix = "Coordinate Transformation Matrix"; // nine 32-bit floats
const std::vector<double> kIdentity {1, 0, 0, 0, 1, 0, 0, 0, 1};

std::uint32_t xtestPointer(X11PointerPropertyBackend& backend)
{
    const auto devices = backend.devices();
    const auto found = std::find_if(
        devices.begin(), devices.end(), [](const auto& device) { return device.name == "Virtual core XTEST pointer"; });
    return found == devices.end() ? 0 : found->id;
}

TEST(X11PointerPropertyBackend, ReadsAndWritesDevicePropertiesAndSeesRefusals)
{
    X11PointerPropertyBackend backend;
    const auto pointer = xtestPointer(backend);
    ASSERT_NE(pointer, 0U) << "no XTEST pointer: is there an X display?";

    EXPECT_EQ(backend.property(pointer, kMatrix), kIdentity);
    const std::vector<double> halved {0.5, 0, 0, 0, 0.5, 0, 0, 0, 1};
    ASSERT_TRUE(backend.setProperty(pointer, kMatrix, halved));
    EXPECT_EQ(backend.property(pointer, kMatrix), halved);

    // The server takes only nine values, and says so.
    EXPECT_FALSE(backend.setProperty(pointer, kMatrix, {1, 0, 0, 1}));
    EXPECT_EQ(backend.property(pointer, kMatrix), halved);
    ASSERT_TRUE(backend.setProperty(pointer, kMatrix, kIdentity));

    EXPECT_FALSE(backend.property(pointer, "libinput Accel Speed"));
    EXPECT_FALSE(backend.setProperty(pointer, "libinput Accel Speed", {0.5}));
    EXPECT_FALSE(backend.property(0xFFFF, kMatrix));
    EXPECT_FALSE(backend.hasDesktopSettings());
}

TEST(X11PointerPropertyBackend, WithoutLibinputDevicesThePreferencesAreNotAvailable)
{
    X11PointerPropertyBackend backend;
    RecordingLogSink log;
    LibinputPointerPreferences preferences(backend, log);
    PointerAccelerationBridge bridge(preferences);
    EXPECT_FALSE(preferences.linear());
    EXPECT_FALSE(bridge.setAccelerationDisabled(true, 1.0));
    EXPECT_FALSE(preferences.setTouchpadNaturalScrolling(true));
    EXPECT_EQ(log.lines().size(), 1U);
}

// GNOME's settings go through GIO; its memory store keeps them away from the user's own.
TEST(X11PointerPropertyBackend, KeepsGnomeSettingsOnlyOnGnome)
{
    ::setenv("GSETTINGS_BACKEND", "memory", 1);
    const auto gnome = [](std::string_view name) -> std::optional<std::string> {
        return name == "XDG_CURRENT_DESKTOP" ? std::optional<std::string>("ubuntu:GNOME") : processEnvironment(name);
    };
    X11PointerPropertyBackend backend(gnome);
    ASSERT_TRUE(backend.hasDesktopSettings());
    EXPECT_EQ(backend.desktopSetting("org.gnome.desktop.peripherals.mouse", "speed"), "0.0"); // the default
    ASSERT_TRUE(backend.setDesktopSetting("org.gnome.desktop.peripherals.mouse", "accel-profile", "'flat'"));
    EXPECT_EQ(backend.desktopSetting("org.gnome.desktop.peripherals.mouse", "accel-profile"), "'flat'");
    EXPECT_FALSE(backend.setDesktopSetting("org.gnome.desktop.peripherals.mouse", "refused", "1"));

    const auto other = [](std::string_view name) -> std::optional<std::string> {
        return name == "XDG_CURRENT_DESKTOP" ? std::optional<std::string>("KDE") : processEnvironment(name);
    };
    X11PointerPropertyBackend plasma(other);
    EXPECT_FALSE(plasma.hasDesktopSettings());
    EXPECT_FALSE(plasma.desktopSetting("org.gnome.desktop.peripherals.mouse", "accel-profile"));
}

} // namespace
} // namespace tarn::input
