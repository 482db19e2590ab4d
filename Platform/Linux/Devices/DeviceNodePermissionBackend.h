#pragma once

// Permissions on Linux. "Accessibility" means what the input engine needs: reading every input
// event device (/dev/input/event*) and writing /dev/uinput, checked with access(2) against the
// real user and groups, so it reflects group membership and udev's uaccess ACLs alike. Nothing is
// opened and nothing prompts. Screen recording needs no grant on X11.

#include <filesystem>

#include "TarnKit/Foundation/Ports/PermissionBackend.h"

namespace tarn {

class DeviceNodePermissionBackend final : public PermissionBackend {
public:
    // `deviceRoot` stands for /dev; tests give a folder of their own.
    explicit DeviceNodePermissionBackend(std::filesystem::path deviceRoot = "/dev");

    // False also when there is no input event device at all: then there is nothing to read.
    bool isAccessibilityGranted() const override;
    bool isScreenRecordingGranted() const override;

private:
    std::filesystem::path m_deviceRoot;
};

} // namespace tarn
