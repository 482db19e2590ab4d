#include "Platform/Linux/Desktop/GioSettings.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace tarn {
namespace {

constexpr const char* kMouse = "org.gnome.desktop.peripherals.mouse";

// In memory, so that the tests neither read nor change the user's own settings. Set before GIO
// picks its store, which it does once per process.
class GioSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("GSETTINGS_BACKEND", "memory", 1);
        if (!GioSettings::text(kMouse, "speed")) {
            GTEST_SKIP() << "the desktop's schemas are not installed";
        }
    }
};

TEST_F(GioSettingsTest, WritesInTextFormAndReadsBackWhatWasStored)
{
    struct Case {
        const char* key;
        const char* written;
        const char* read;
    };
    const Case cases[] {
        {"accel-profile", "'flat'", "'flat'"},
        {"speed", "0.25", "0.25"},
        {"speed", "0", "0.0"}, // a whole number is a valid double
        {"natural-scroll", "true", "true"},
        {"left-handed", "false", "false"},
    };
    for (const auto& [key, written, read] : cases) {
        EXPECT_TRUE(GioSettings::setText(kMouse, key, written)) << key << " " << written;
        EXPECT_EQ(GioSettings::text(kMouse, key), read) << key;
    }
    EXPECT_EQ(GioSettings::string(kMouse, "accel-profile"), "flat");
}

TEST_F(GioSettingsTest, WhatTheDesktopDoesNotHaveIsMissingAndNeverAborts)
{
    EXPECT_FALSE(GioSettings::text("org.tarn.no-such-schema", "speed"));
    EXPECT_FALSE(GioSettings::string("org.tarn.no-such-schema", "speed"));
    EXPECT_FALSE(GioSettings::setText("org.tarn.no-such-schema", "speed", "0.5"));
    EXPECT_FALSE(GioSettings::text(kMouse, "no-such-key"));
    EXPECT_FALSE(GioSettings::setText(kMouse, "no-such-key", "0.5"));
    EXPECT_FALSE(GioSettings::text("", ""));
    EXPECT_FALSE(GioSettings::string(kMouse, "speed")) << "not a string";

    ASSERT_TRUE(GioSettings::setText(kMouse, "speed", "0.5"));
    for (const char* refused : {"2.5", "'fast'", "true", "", "0.5 0.5", "[0.5]"}) {
        EXPECT_FALSE(GioSettings::setText(kMouse, "speed", refused)) << refused;
    }
    EXPECT_FALSE(GioSettings::setText(kMouse, "accel-profile", "'sideways'")) << "not one of the choices";
    EXPECT_EQ(GioSettings::text(kMouse, "speed"), "0.5") << "a refused value changes nothing";
}

} // namespace
} // namespace tarn
