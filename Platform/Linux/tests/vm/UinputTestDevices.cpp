#include "UinputTestDevices.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <linux/input.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

namespace tarn::input::vmtest {

std::optional<std::string> devnodeNamed(const std::string& name, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator("/sys/class/input", error)) {
            const auto sysname = entry.path().filename().string();
            if (!sysname.starts_with("event")) {
                continue;
            }
            std::ifstream file(entry.path() / "device" / "name");
            std::string line;
            std::getline(file, line);
            if (line == name && std::filesystem::exists("/dev/input/" + sysname)) {
                return "/dev/input/" + sysname;
            }
        }
        // Polling sysfs: a device of another program has no notice to wait on here.
        std::this_thread::sleep_for(10ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

PhysicalDevice PhysicalDevice::fromDescription(libevdev* description)
{
    PhysicalDevice device;
    libevdev_uinput* raw = nullptr;
    const int rc = libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &raw);
    libevdev_free(description);
    if (rc != 0) {
        std::abort();
    }
    device.m_uinput.reset(raw);
    device.m_devnode = libevdev_uinput_get_devnode(raw);
    return device;
}

PhysicalDevice PhysicalDevice::mouse(const std::string& name)
{
    libevdev* description = libevdev_new();
    libevdev_set_name(description, name.c_str());
    libevdev_set_id_bustype(description, BUS_USB);
    libevdev_set_id_vendor(description, 0x1234);
    libevdev_set_id_product(description, 0x5678);
    libevdev_enable_property(description, INPUT_PROP_POINTER);
    for (unsigned code = BTN_LEFT; code <= BTN_TASK; ++code) {
        libevdev_enable_event_code(description, EV_KEY, code, nullptr);
    }
    for (unsigned code : {REL_X, REL_Y, REL_WHEEL, REL_WHEEL_HI_RES, REL_HWHEEL, REL_HWHEEL_HI_RES}) {
        libevdev_enable_event_code(description, EV_REL, code, nullptr);
    }
    return fromDescription(description);
}

PhysicalDevice PhysicalDevice::keyboard(const std::string& name)
{
    libevdev* description = libevdev_new();
    libevdev_set_name(description, name.c_str());
    libevdev_set_id_bustype(description, BUS_USB);
    for (unsigned code = KEY_ESC; code <= KEY_MICMUTE; ++code) {
        libevdev_enable_event_code(description, EV_KEY, code, nullptr);
    }
    return fromDescription(description);
}

void PhysicalDevice::frame(const Events& events) const
{
    for (const auto& event : events) {
        libevdev_uinput_write_event(m_uinput.get(), event.type, event.code, event.value);
    }
    libevdev_uinput_write_event(m_uinput.get(), EV_SYN, SYN_REPORT, 0);
}

EventReader::EventReader(const std::string& devnode)
    : m_fd(::open(devnode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
{
    // Stamps on the steady clock's own.
    int clock = CLOCK_MONOTONIC;
    ::ioctl(m_fd.get(), EVIOCSCLOCKID, &clock);
}

Events EventReader::collect(std::chrono::milliseconds timeout, const std::function<bool(const Events&)>& done)
{
    Events events;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_gone && !(done && done(events))) {
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd descriptor {m_fd.get(), POLLIN, 0};
        if (::poll(&descriptor, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        input_event raw {};
        while (true) {
            const auto size = ::read(m_fd.get(), &raw, sizeof raw);
            if (size < 0 && errno == ENODEV) {
                m_gone = true;
                break;
            }
            if (size != sizeof raw) {
                break;
            }
            if (raw.type != EV_SYN) {
                events.push_back({raw.type, raw.code, raw.value});
                const auto stamp
                    = std::chrono::seconds(raw.input_event_sec) + std::chrono::microseconds(raw.input_event_usec);
                m_stamps.emplace_back(events.back(),
                    std::chrono::steady_clock::time_point(
                        std::chrono::duration_cast<std::chrono::steady_clock::duration>(stamp)));
            }
        }
    }
    return events;
}

int EventReader::countFrames(std::chrono::milliseconds timeout)
{
    pollfd descriptor {m_fd.get(), POLLIN, 0};
    if (::poll(&descriptor, 1, static_cast<int>(timeout.count())) <= 0) {
        return 0;
    }
    std::array<input_event, 256> batch {};
    int frames = 0;
    ssize_t size = 0;
    while ((size = ::read(m_fd.get(), batch.data(), sizeof batch)) > 0) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(size) / sizeof(input_event); ++i) {
            frames += batch[i].type == EV_SYN && batch[i].code == SYN_REPORT ? 1 : 0;
        }
    }
    return frames;
}

Events EventReader::collectUntil(const EvdevEvent& last, std::chrono::milliseconds timeout)
{
    return collect(timeout, [&](const Events& events) { return contains(events, last); });
}

std::optional<std::chrono::steady_clock::time_point> EventReader::stampOf(const EvdevEvent& event) const
{
    const auto found
        = std::find_if(m_stamps.begin(), m_stamps.end(), [&](const auto& each) { return each.first == event; });
    return found != m_stamps.end() ? std::optional(found->second) : std::nullopt;
}

bool EventReader::grab()
{
    if (::ioctl(m_fd.get(), EVIOCGRAB, 1) != 0) {
        return false;
    }
    ::ioctl(m_fd.get(), EVIOCGRAB, 0);
    return true;
}

bool EventReader::hold()
{
    return ::ioctl(m_fd.get(), EVIOCGRAB, 1) == 0;
}

bool contains(const Events& events, const EvdevEvent& event)
{
    return std::find(events.begin(), events.end(), event) != events.end();
}

} // namespace tarn::input::vmtest
