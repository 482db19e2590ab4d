#include "Platform/Linux/Input/InputDeviceDirectory.h"

#include <filesystem>

#include "Platform/Linux/Uinput/VirtualInputDevice.h"
#include "TarnKit/Foundation/Files/CHandle.h"

#include <libudev.h>

namespace tarn::input {
namespace {

using Udev = CHandle<udev, udev_unref>;
using UdevEnumerate = CHandle<udev_enumerate, udev_enumerate_unref>;
using UdevDevice = CHandle<udev_device, udev_device_unref>;
using UdevMonitor = CHandle<udev_monitor, udev_monitor_unref>;

std::string_view text(const char* value)
{
    return value != nullptr ? std::string_view(value) : std::string_view {};
}

bool property(udev_device* device, const char* name)
{
    return text(udev_device_get_property_value(device, name)) == "1";
}

bool isEventNode(udev_device* device)
{
    return text(udev_device_get_sysname(device)).starts_with("event") && udev_device_get_devnode(device) != nullptr;
}

InputDeviceTraits traitsOf(udev_device* node, udev_device* input)
{
    InputDeviceTraits traits;
    const auto phys = text(udev_device_get_sysattr_value(input, "phys"));
    traits.ours = phys == VirtualInputDevice::kPhys || VirtualInputDevice::isOurs(text(udev_device_get_syspath(input)));
    traits.udevClassified = property(node, "ID_INPUT");
    traits.udevMouse = property(node, "ID_INPUT_MOUSE");
    traits.udevKeyboard = property(node, "ID_INPUT_KEYBOARD");
    traits.udevTouchpad = property(node, "ID_INPUT_TOUCHPAD");
    traits.udevTablet = property(node, "ID_INPUT_TABLET");
    traits.udevTouchscreen = property(node, "ID_INPUT_TOUCHSCREEN");
    traits.udevPointingStick = property(node, "ID_INPUT_POINTINGSTICK");
    traits.udevJoystick = property(node, "ID_INPUT_JOYSTICK");
    readCapabilityBitmaps(traits, text(udev_device_get_sysattr_value(input, "capabilities/rel")),
        text(udev_device_get_sysattr_value(input, "capabilities/abs")),
        text(udev_device_get_sysattr_value(input, "capabilities/key")),
        text(udev_device_get_sysattr_value(input, "properties")));
    return traits;
}

InputDeviceInfo describe(udev_device* node)
{
    InputDeviceInfo info;
    info.devnode = text(udev_device_get_devnode(node));
    info.syspath = text(udev_device_get_syspath(node));
    // The event node's parent is the input device that carries the name and capability bits.
    udev_device* input = udev_device_get_parent_with_subsystem_devtype(node, "input", nullptr);
    if (input == nullptr) {
        return info;
    }
    info.name = text(udev_device_get_sysattr_value(input, "name"));
    info.role = classifyInputDevice(traitsOf(node, input));
    return info;
}

} // namespace

struct InputDeviceDirectory::Impl {
    Udev context {udev_new()};
    UdevMonitor monitor;
};

std::string InputDeviceDirectory::defaultMonitorSource()
{
    std::error_code error;
    return std::filesystem::exists("/run/udev/control", error) ? "udev" : "kernel";
}

InputDeviceDirectory::InputDeviceDirectory(const std::string& monitorSource)
    : m_impl(std::make_unique<Impl>())
{
    if (!m_impl->context) {
        return;
    }
    m_impl->monitor.reset(udev_monitor_new_from_netlink(m_impl->context.get(), monitorSource.c_str()));
    if (!m_impl->monitor) {
        return;
    }
    udev_monitor_filter_add_match_subsystem_devtype(m_impl->monitor.get(), "input", nullptr);
    if (udev_monitor_enable_receiving(m_impl->monitor.get()) < 0) {
        m_impl->monitor.reset();
    }
}

InputDeviceDirectory::~InputDeviceDirectory() = default;

std::vector<InputDeviceInfo> InputDeviceDirectory::scan() const
{
    std::vector<InputDeviceInfo> devices;
    if (!m_impl->context) {
        return devices;
    }
    UdevEnumerate enumerate(udev_enumerate_new(m_impl->context.get()));
    udev_enumerate_add_match_subsystem(enumerate.get(), "input");
    udev_enumerate_add_match_sysname(enumerate.get(), "event*");
    if (udev_enumerate_scan_devices(enumerate.get()) < 0) {
        return devices;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
    {
        UdevDevice node(udev_device_new_from_syspath(m_impl->context.get(), udev_list_entry_get_name(entry)));
        if (node && isEventNode(node.get())) {
            devices.push_back(describe(node.get()));
        }
    }
    return devices;
}

int InputDeviceDirectory::monitorFd() const
{
    return m_impl->monitor ? udev_monitor_get_fd(m_impl->monitor.get()) : -1;
}

std::optional<InputDeviceChange> InputDeviceDirectory::receive()
{
    if (!m_impl->monitor) {
        return std::nullopt;
    }
    // Notices of the input devices themselves (inputN) come too; only event nodes are opened.
    while (true) {
        UdevDevice node(udev_monitor_receive_device(m_impl->monitor.get()));
        if (!node) {
            return std::nullopt;
        }
        if (!isEventNode(node.get())) {
            continue;
        }
        const auto action = text(udev_device_get_action(node.get()));
        if (action == "add") {
            return InputDeviceChange {InputDeviceAction::added, describe(node.get())};
        }
        if (action == "remove") {
            InputDeviceInfo info;
            info.devnode = text(udev_device_get_devnode(node.get()));
            info.syspath = text(udev_device_get_syspath(node.get()));
            return InputDeviceChange {InputDeviceAction::removed, info};
        }
    }
}

} // namespace tarn::input
