#include "Platform/Linux/Desktop/GSettingsTitlebarDoubleClickPreference.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include <gio/gio.h>

namespace tarn {
namespace {

TEST(GSettingsTitlebarDoubleClickPreference, MapsGnomeActionsToTheFramesActions)
{
    const std::vector<std::pair<std::string, std::string>> cases {
        {"minimize", "Minimize"},
        {"toggle-maximize", "Maximize"},
        {"toggle-maximize-horizontally", "Maximize"},
        {"toggle-maximize-vertically", "Maximize"},
        {"none", "None"},
        {"lower", "None"},
        {"menu", "None"},
        {"toggle-shade", "None"},
        {"", "None"},
    };
    for (const auto& [gnome, ours] : cases) {
        EXPECT_EQ(GSettingsTitlebarDoubleClickPreference::fromGnomeAction(gnome), ours) << gnome;
    }
}

TEST(GSettingsTitlebarDoubleClickPreference, ReadsTheDesktopSettingWhenItsSchemaIsInstalled)
{
    // In memory, so that the test neither reads nor changes the user's own settings.
    ::setenv("GSETTINGS_BACKEND", "memory", 1);
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema
        = source ? g_settings_schema_source_lookup(source, "org.gnome.desktop.wm.preferences", TRUE) : nullptr;
    const GSettingsTitlebarDoubleClickPreference preference;
    if (schema == nullptr) {
        EXPECT_EQ(preference.action(), std::nullopt);
        return;
    }
    EXPECT_EQ(preference.action(), "Maximize") << "GNOME's default";
    GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
    ASSERT_TRUE(g_settings_set_string(settings, "action-double-click-titlebar", "minimize"));
    EXPECT_EQ(preference.action(), "Minimize");
    g_object_unref(settings);
    g_settings_schema_unref(schema);
}

} // namespace
} // namespace tarn
