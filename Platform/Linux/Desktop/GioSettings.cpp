#include "Platform/Linux/Desktop/GioSettings.h"

#include "TarnKit/Foundation/Files/CHandle.h"

#include <gio/gio.h>

namespace tarn {
namespace {

using Schema = CHandle<GSettingsSchema, g_settings_schema_unref>;
using SchemaKey = CHandle<GSettingsSchemaKey, g_settings_schema_key_unref>;
using Settings = CHandle<GSettings, g_object_unref>;
using Variant = CHandle<GVariant, g_variant_unref>;
using Text = CHandle<gchar, g_free>;

// The settings object and the key's description, or nothing when either is not installed.
struct Located {
    Settings settings;
    SchemaKey key;
};

std::optional<Located> locate(std::string_view schemaId, std::string_view keyName)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default(); // not owned
    if (source == nullptr) {
        return std::nullopt;
    }
    const std::string id(schemaId);
    const std::string name(keyName);
    const Schema schema(g_settings_schema_source_lookup(source, id.c_str(), TRUE));
    if (!schema || !g_settings_schema_has_key(schema.get(), name.c_str())) {
        return std::nullopt;
    }
    return Located {Settings(g_settings_new_full(schema.get(), nullptr, nullptr)),
        SchemaKey(g_settings_schema_get_key(schema.get(), name.c_str()))};
}

Variant value(std::string_view schema, std::string_view key)
{
    const auto located = locate(schema, key);
    if (!located) {
        return nullptr;
    }
    return Variant(g_settings_get_value(located->settings.get(), g_settings_schema_key_get_name(located->key.get())));
}

} // namespace

std::optional<std::string> GioSettings::text(std::string_view schema, std::string_view key)
{
    const Variant stored = value(schema, key);
    if (!stored) {
        return std::nullopt;
    }
    const Text printed(g_variant_print(stored.get(), FALSE));
    return std::string(printed.get());
}

std::optional<std::string> GioSettings::string(std::string_view schema, std::string_view key)
{
    const Variant stored = value(schema, key);
    if (!stored || !g_variant_is_of_type(stored.get(), G_VARIANT_TYPE_STRING)) {
        return std::nullopt;
    }
    return std::string(g_variant_get_string(stored.get(), nullptr));
}

bool GioSettings::setText(std::string_view schema, std::string_view key, std::string_view value)
{
    const auto located = locate(schema, key);
    if (!located) {
        return false;
    }
    const char* name = g_settings_schema_key_get_name(located->key.get());
    if (!g_settings_is_writable(located->settings.get(), name)) {
        return false;
    }
    const std::string source(value);
    const Variant parsed(g_variant_parse(
        g_settings_schema_key_get_value_type(located->key.get()), source.c_str(), nullptr, nullptr, nullptr));
    // Checked here rather than by g_settings_set_value, which warns on the terminal.
    if (!parsed || !g_settings_schema_key_range_check(located->key.get(), parsed.get())) {
        return false;
    }
    return g_settings_set_value(located->settings.get(), name, parsed.get()) != FALSE;
}

} // namespace tarn
