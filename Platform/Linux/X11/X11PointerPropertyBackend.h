#pragma once

// The real PointerPropertyBackend: XInput2 device properties of the X server, and GNOME's
// settings through GIO when the desktop is GNOME. In a Wayland session or
// without an X11 display it finds no devices. Calls come from one thread at a time.

#include <memory>

#include "Platform/Linux/X11/PointerPropertyBackend.h"
#include "TarnKit/Foundation/Identity/Environment.h"

namespace tarn::input {

class X11PointerPropertyBackend final : public PointerPropertyBackend {
public:
    explicit X11PointerPropertyBackend(const EnvironmentLookup& environment = processEnvironment);
    ~X11PointerPropertyBackend() override;
    X11PointerPropertyBackend(const X11PointerPropertyBackend&) = delete;
    X11PointerPropertyBackend& operator=(const X11PointerPropertyBackend&) = delete;

    std::vector<Device> devices() override;
    std::optional<std::vector<double>> property(std::uint32_t device, std::string_view name) override;
    bool setProperty(std::uint32_t device, std::string_view name, const std::vector<double>& values) override;

    bool hasDesktopSettings() override;
    std::optional<std::string> desktopSetting(std::string_view schema, std::string_view key) override;
    bool setDesktopSetting(std::string_view schema, std::string_view key, std::string_view value) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
