#pragma once

// Device change notices on Linux, from two sources a thread of ours waits on (and does nothing
// else): a udev monitor for input devices, /dev/uinput and HID devices coming and going (udev
// announces a device once its permissions are in place) and for HID batteries changing; and
// inotify on the device nodes themselves for what udev never announces: a chmod, a chown, or the
// access lists the login manager changes when a session becomes active or inactive.
//
// Only the nodes are watched, never their folder: a folder watch would make the kernel look up
// the folder's watch on every read of a device and every write to /dev/uinput, which is the
// input path. A burst of changes (a mouse plugged in brings several) gives one notice, 50 ms after
// the last of them.

#include <filesystem>
#include <memory>
#include <string>

#include "TarnInput/ViewModel/Ports/DeviceChangeNotices.h"
#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"

namespace tarn {

class UdevDeviceChangeNotices final : public input::DeviceChangeNotices {
public:
    // The system's /dev, and udev's notices (the kernel's own where no udev daemon runs).
    explicit UdevDeviceChangeNotices(MainThreadExecutor& mainThread);
    // `deviceRoot` stands for /dev; `monitorSource` is "udev", "kernel", or empty for none.
    UdevDeviceChangeNotices(
        MainThreadExecutor& mainThread, std::filesystem::path deviceRoot, const std::string& monitorSource);
    // Stops the thread; notices already posted find no subscriber.
    ~UdevDeviceChangeNotices() override;
    UdevDeviceChangeNotices(const UdevDeviceChangeNotices&) = delete;
    UdevDeviceChangeNotices& operator=(const UdevDeviceChangeNotices&) = delete;

    Subscription subscribe(std::function<void()> changed) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn
