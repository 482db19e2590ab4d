#pragma once

// A device source that answers with whatever the test gave it, and counts how often it was asked.

#include <optional>
#include <vector>

#include "TarnInputCore/Devices/PointerDeviceSource.h"

namespace tarn {

class FakePointerDeviceSource final : public input::PointerDeviceSource {
public:
    std::optional<std::vector<input::HIDDeviceProperties>> pointerDevices() override
    {
        ++m_scanCount;
        return m_devices;
    }
    std::vector<input::HIDBatteryProperties> hidBatteries() override { return m_batteries; }

    void setDevices(std::vector<input::HIDDeviceProperties> devices) { m_devices = std::move(devices); }
    void addDevice(input::HIDDeviceProperties device)
    {
        if (!m_devices) {
            m_devices.emplace();
        }
        m_devices->push_back(std::move(device));
    }
    void setBatteries(std::vector<input::HIDBatteryProperties> batteries) { m_batteries = std::move(batteries); }
    // As a system whose device list cannot be opened.
    void setUnavailable() { m_devices.reset(); }

    int scanCount() const { return m_scanCount; }

private:
    std::optional<std::vector<input::HIDDeviceProperties>> m_devices = std::vector<input::HIDDeviceProperties> {};
    std::vector<input::HIDBatteryProperties> m_batteries;
    int m_scanCount = 0;
};

} // namespace tarn
