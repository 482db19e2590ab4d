#pragma once

// Pointer devices and desktop settings in memory, for the preferences adapter's tests. A write
// can be refused outright, or accepted and then not held (as when the server drops a value it
// checks later, or a desktop keeps settings only in memory).

#include <map>
#include <set>
#include <string>
#include <utility>

#include "Platform/Linux/X11/PointerPropertyBackend.h"

namespace tarn::input {

class FakePointerPropertyBackend final : public PointerPropertyBackend {
public:
    enum class WriteOutcome { held, refused, dropped };

    std::vector<Device> devices() override
    {
        std::vector<Device> result;
        for (const auto& [id, device] : m_devices) {
            result.push_back(device.description);
        }
        return result;
    }

    std::optional<std::vector<double>> property(std::uint32_t device, std::string_view name) override
    {
        const auto found = m_devices.find(device);
        if (found == m_devices.end()) {
            return std::nullopt;
        }
        const auto value = found->second.properties.find(std::string(name));
        if (value == found->second.properties.end()) {
            return std::nullopt;
        }
        return value->second;
    }

    bool setProperty(std::uint32_t device, std::string_view name, const std::vector<double>& values) override
    {
        auto& properties = m_devices.at(device).properties;
        const auto outcome = outcomeFor(std::to_string(device) + "/" + std::string(name));
        if (outcome == WriteOutcome::held && properties.contains(std::string(name))) {
            properties[std::string(name)] = values;
        }
        return outcome != WriteOutcome::refused && properties.contains(std::string(name));
    }

    bool hasDesktopSettings() override { return m_hasDesktopSettings; }

    std::optional<std::string> desktopSetting(std::string_view schema, std::string_view key) override
    {
        const auto found = m_settings.find(std::string(schema) + " " + std::string(key));
        if (!m_hasDesktopSettings || found == m_settings.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    bool setDesktopSetting(std::string_view schema, std::string_view key, std::string_view value) override
    {
        const std::string name = std::string(schema) + " " + std::string(key);
        const auto outcome = outcomeFor(name);
        if (outcome == WriteOutcome::held) {
            m_settings[name] = value;
        }
        return m_hasDesktopSettings && outcome != WriteOutcome::refused;
    }

    void addDevice(Device description, std::map<std::string, std::vector<double>> properties)
    {
        const auto id = description.id;
        m_devices[id] = {std::move(description), std::move(properties)};
    }
    void setHasDesktopSettings(bool has) { m_hasDesktopSettings = has; }
    void storeDesktopSetting(const std::string& schema, const std::string& key, std::string value)
    {
        m_settings[schema + " " + key] = std::move(value);
    }
    // `what` is "<device id>/<property>" or "<schema> <key>".
    void setWriteOutcome(const std::string& what, WriteOutcome outcome) { m_outcomes[what] = outcome; }

private:
    struct StoredDevice {
        Device description;
        std::map<std::string, std::vector<double>> properties;
    };

    WriteOutcome outcomeFor(const std::string& what) const
    {
        const auto found = m_outcomes.find(what);
        return found == m_outcomes.end() ? WriteOutcome::held : found->second;
    }

    std::map<std::uint32_t, StoredDevice> m_devices;
    std::map<std::string, std::string> m_settings;
    std::map<std::string, WriteOutcome> m_outcomes;
    bool m_hasDesktopSettings = false;
};

} // namespace tarn::input
