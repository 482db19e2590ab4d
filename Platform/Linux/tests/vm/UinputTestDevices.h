#pragma once

// What the real-kernel tests play with: uinput devices that stand for the hardware, readers of
// event nodes, and a lookup of event nodes by device name.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include "Platform/Linux/Input/EvdevEvent.h"
#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

namespace tarn::input::vmtest {

using namespace std::chrono_literals;
using Events = std::vector<EvdevEvent>;

// The event node of the input device called `name`, waiting up to `timeout` for it to appear.
std::optional<std::string> devnodeNamed(const std::string& name, std::chrono::milliseconds timeout = 2000ms);

// A mouse or keyboard as the hardware would be, made with uinput.
class PhysicalDevice {
public:
    static PhysicalDevice mouse(const std::string& name);
    static PhysicalDevice keyboard(const std::string& name);

    // One frame: the events and a SYN_REPORT.
    void frame(const Events& events) const;
    const std::string& devnode() const { return m_devnode; }
    void unplug() { m_uinput.reset(); }

private:
    static PhysicalDevice fromDescription(libevdev* description);

    CHandle<libevdev_uinput, libevdev_uinput_destroy> m_uinput;
    std::string m_devnode;
};

// Reads an event node; SYN_REPORTs are left out of what it collects.
class EventReader {
public:
    explicit EventReader(const std::string& devnode);

    // Collects until `done` holds for what was collected, or until `timeout`.
    Events collect(std::chrono::milliseconds timeout, const std::function<bool(const Events&)>& done = {});
    Events collectUntil(const EvdevEvent& last, std::chrono::milliseconds timeout = 3000ms);
    // Reads what arrives within `timeout` and answers the number of whole frames (SYN_REPORTs).
    int countFrames(std::chrono::milliseconds timeout);
    // Whether the node went away (ENODEV) while reading.
    bool gone() const { return m_gone; }
    // When the kernel stamped the first `event` collected so far (steady-clock time).
    std::optional<std::chrono::steady_clock::time_point> stampOf(const EvdevEvent& event) const;
    // Whether this reader could grab the device; the grab is let go at once.
    bool grab();
    // Grabs the device as another program would, until this reader is destroyed.
    bool hold();

private:
    UniqueFd m_fd;
    bool m_gone = false;
    std::vector<std::pair<EvdevEvent, std::chrono::steady_clock::time_point>> m_stamps;
};

bool contains(const Events& events, const EvdevEvent& event);

} // namespace tarn::input::vmtest
