#include "Platform/Linux/Devices/DeviceNodePermissionBackend.h"

#include <utility>

#include <unistd.h>

namespace tarn {

DeviceNodePermissionBackend::DeviceNodePermissionBackend(std::filesystem::path deviceRoot)
    : m_deviceRoot(std::move(deviceRoot))
{
}

bool DeviceNodePermissionBackend::isAccessibilityGranted() const
{
    if (::access((m_deviceRoot / "uinput").c_str(), W_OK) != 0) {
        return false;
    }
    std::error_code error;
    std::filesystem::directory_iterator entries(m_deviceRoot / "input", error);
    if (error) {
        return false;
    }
    // Every device, not just one: the engine cannot tell from here which of them is the mouse.
    bool any = false;
    for (const auto& entry : entries) {
        if (!entry.path().filename().string().starts_with("event")) {
            continue;
        }
        if (::access(entry.path().c_str(), R_OK) != 0) {
            return false;
        }
        any = true;
    }
    return any;
}

bool DeviceNodePermissionBackend::isScreenRecordingGranted() const
{
    // X11 lets every client of the session read the screen; there is nothing to grant.
    return true;
}

} // namespace tarn
