#pragma once

// The input event devices (/dev/input/eventN) and what the tap does with each, from libudev:
// a scan for the start, and a monitor for devices plugged in or out later. The scan reads sysfs
// and may take milliseconds; it is never run on the input thread, which only calls `receive`.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Linux/Input/InputDeviceClassifier.h"

namespace tarn::input {

struct InputDeviceInfo {
    std::string devnode;
    std::string syspath;
    std::string name;
    InputDeviceRole role = InputDeviceRole::ignored;
};

enum class InputDeviceAction { added, removed };

struct InputDeviceChange {
    InputDeviceAction action = InputDeviceAction::added;
    InputDeviceInfo device;
};

class InputDeviceDirectory {
public:
    // Where hot-plug notices come from: "udev" once udev has applied its rules (permissions and
    // properties are in place then) when a udev daemon runs, the kernel's own notices otherwise.
    static std::string defaultMonitorSource();

    explicit InputDeviceDirectory(const std::string& monitorSource = defaultMonitorSource());
    ~InputDeviceDirectory();
    InputDeviceDirectory(const InputDeviceDirectory&) = delete;
    InputDeviceDirectory& operator=(const InputDeviceDirectory&) = delete;

    std::vector<InputDeviceInfo> scan() const;
    // Readable when a change waits; -1 when the monitor could not be set up.
    int monitorFd() const;
    // The next change of an event device, if one is waiting (never blocks).
    std::optional<InputDeviceChange> receive();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
