#include "Platform/Linux/GSettingsTitlebarDoubleClickPreference.h"

#include "TarnKit/Foundation/CHandle.h"

#include <gio/gio.h>

namespace tarn {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.wm.preferences";
constexpr const char* kKey = "action-double-click-titlebar";

using Schema = CHandle<GSettingsSchema, g_settings_schema_unref>;
using Settings = CHandle<GSettings, g_object_unref>;
using Text = CHandle<gchar, g_free>;

} // namespace

std::optional<std::string> GSettingsTitlebarDoubleClickPreference::action() const
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default(); // not owned
    if (source == nullptr) {
        return std::nullopt;
    }
    const Schema schema(g_settings_schema_source_lookup(source, kSchema, TRUE));
    if (!schema || !g_settings_schema_has_key(schema.get(), kKey)) {
        return std::nullopt;
    }
    const Settings settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    const Text value(g_settings_get_string(settings.get(), kKey));
    if (!value) {
        return std::nullopt;
    }
    return fromGnomeAction(value.get());
}

std::string GSettingsTitlebarDoubleClickPreference::fromGnomeAction(std::string_view action)
{
    if (action == "minimize") {
        return "Minimize";
    }
    if (action.starts_with("toggle-maximize")) {
        return "Maximize";
    }
    return "None";
}

} // namespace tarn
