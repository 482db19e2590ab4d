#include "Platform/Linux/Devices/SysfsPointerDeviceSource.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <string>
#include <string_view>
#include <system_error>

#include "Platform/Linux/Devices/HidReportDescriptor.h"
#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

#include <fcntl.h>
#include <libudev.h>
#include <unistd.h>

namespace tarn {
namespace {

namespace fs = std::filesystem;

using Udev = CHandle<udev, udev_unref>;
using UdevEnumerate = CHandle<udev_enumerate, udev_enumerate_unref>;

// Text attributes are one short line; report descriptors are at most a few kilobytes. The caps
// only guard against a file that is not what its name says.
constexpr std::size_t kMaxTextBytes = 4096;
constexpr std::size_t kMaxDescriptorBytes = 64 * 1024;
// How far up from a power supply to look for the HID device that owns it.
constexpr int kMaxAncestorSteps = 24;

// Bus numbers of <linux/input.h>, as the hid bus writes them into HID_ID.
constexpr std::int64_t kBusI8042 = 0x11;
constexpr std::int64_t kBusUsb = 0x03;
constexpr std::int64_t kBusBluetooth = 0x05;
constexpr std::int64_t kBusVirtual = 0x06;
constexpr std::int64_t kBusI2c = 0x18;
constexpr std::int64_t kBusHost = 0x19;
constexpr std::int64_t kBusSpi = 0x1C;
constexpr std::int64_t kBusRmi = 0x1D;
constexpr std::int64_t kBusIntelIsh = 0x1F;
constexpr std::int64_t kBusAmdSfh = 0x20;

struct BusInfo {
    std::int64_t bus;
    const char* transport;
    // Buses that only ever connect a machine's own parts (its touchpad, its keyboard).
    bool internal;
};

constexpr BusInfo kBuses[] = {
    {kBusUsb, "USB", false},
    {kBusBluetooth, "Bluetooth", false},
    {kBusVirtual, "Virtual", false},
    {kBusI8042, "PS/2", true},
    {kBusI2c, "I2C", true},
    {kBusHost, "Host", true},
    {kBusSpi, "SPI", true},
    {kBusRmi, "RMI", true},
    {kBusIntelIsh, "ISH", true},
    {kBusAmdSfh, "AMD SFH", true},
};

std::optional<std::string> readFile(const fs::path& path, std::size_t maxBytes)
{
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (!fd) {
        return std::nullopt;
    }
    std::string content;
    char buffer[4096];
    while (content.size() < maxBytes) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            // A sysfs attribute whose driver refuses the read (EIO, ENODATA …) has no value.
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(count));
    }
    if (content.size() > maxBytes) {
        content.resize(maxBytes);
    }
    return content;
}

// A device's text as the interface may show it: up to the first NUL, without the line feed
// sysfs ends with, valid UTF-8, and no control characters that could break a report line.
std::string cleanText(std::string_view raw)
{
    raw = raw.substr(0, raw.find('\0'));
    while (!raw.empty() && (raw.back() == '\n' || raw.back() == '\r')) {
        raw.remove_suffix(1);
    }
    std::string text = UnicodeText::sanitizedUtf8(raw);
    for (char& character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte < 0x20 || byte == 0x7F) {
            character = ' ';
        }
    }
    return text;
}

std::optional<std::string> readText(const fs::path& path)
{
    auto raw = readFile(path, kMaxTextBytes);
    if (!raw) {
        return std::nullopt;
    }
    return cleanText(*raw);
}

std::string_view trimmedAscii(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\n\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\n\r") - first + 1);
}

std::optional<std::int64_t> parseNumber(std::string_view text, int base)
{
    text = trimmedAscii(text);
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> readNumber(const fs::path& path, int base)
{
    const auto text = readText(path);
    return text ? parseNumber(*text, base) : std::nullopt;
}

std::map<std::string, std::string, std::less<>> readUevent(const fs::path& syspath)
{
    std::map<std::string, std::string, std::less<>> values;
    const auto content = readFile(syspath / "uevent", kMaxTextBytes);
    if (!content) {
        return values;
    }
    std::string_view rest = *content;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view {} : rest.substr(end + 1);
        const auto equals = line.find('=');
        if (equals != std::string_view::npos && equals > 0) {
            values.emplace(std::string(line.substr(0, equals)), cleanText(line.substr(equals + 1)));
        }
    }
    return values;
}

std::optional<std::string_view> lookup(
    const std::map<std::string, std::string, std::less<>>& values, std::string_view key)
{
    const auto found = values.find(key);
    return found == values.end() ? std::nullopt : std::optional<std::string_view>(found->second);
}

struct HidIds {
    std::optional<std::int64_t> bus;
    std::optional<std::int64_t> vendor;
    std::optional<std::int64_t> product;
};

// "0003:0000046D:0000C077" (HID_ID) or "0003:046D:C077.0001" (the device's own name).
HidIds parseHidIds(std::string_view text)
{
    HidIds ids;
    const auto firstColon = text.find(':');
    const auto secondColon = firstColon == std::string_view::npos ? firstColon : text.find(':', firstColon + 1);
    if (secondColon == std::string_view::npos) {
        return ids;
    }
    std::string_view productText = text.substr(secondColon + 1);
    productText = productText.substr(0, productText.find('.'));
    ids.bus = parseNumber(text.substr(0, firstColon), 16);
    ids.vendor = parseNumber(text.substr(firstColon + 1, secondColon - firstColon - 1), 16);
    ids.product = parseNumber(productText, 16);
    return ids;
}

// Everything that names a HID device: shared by the device list and the batteries, so that a
// battery's keys are the same texts its device is listed with.
struct HidIdentity {
    std::optional<std::int64_t> bus;
    std::optional<std::int64_t> vendorID;
    std::optional<std::int64_t> productID;
    std::optional<std::string> product;
    std::optional<std::string> manufacturer;
    std::optional<std::string> serialNumber;
    // The USB device and interface folders when usbhid drives the device directly.
    std::optional<fs::path> usbDevice;
    std::optional<fs::path> usbInterface;
};

bool isHidDevice(const std::map<std::string, std::string, std::less<>>& uevent)
{
    return uevent.contains("HID_ID");
}

HidIdentity readIdentity(const fs::path& syspath, const std::map<std::string, std::string, std::less<>>& uevent)
{
    HidIdentity identity;
    HidIds ids = parseHidIds(lookup(uevent, "HID_ID").value_or(""));
    if (!ids.bus || !ids.vendor || !ids.product) {
        ids = parseHidIds(syspath.filename().string());
    }
    identity.bus = ids.bus;
    identity.vendorID = ids.vendor;
    identity.productID = ids.product;
    if (const auto uniq = lookup(uevent, "HID_UNIQ"); uniq && !uniq->empty()) {
        identity.serialNumber = std::string(*uniq);
    }

    // A device behind a receiver's own driver sits below the receiver's HID device, not below
    // a USB interface: only a direct interface parent makes the USB strings this device's own.
    const fs::path parent = syspath.parent_path();
    std::error_code error;
    if (ids.bus == kBusUsb && fs::exists(parent / "bInterfaceNumber", error)) {
        identity.usbInterface = parent;
        identity.usbDevice = parent.parent_path();
        identity.product = readText(*identity.usbDevice / "product");
        identity.manufacturer = readText(*identity.usbDevice / "manufacturer");
    } else if (const auto name = lookup(uevent, "HID_NAME"); name && !name->empty()) {
        identity.product = std::string(*name);
    }
    return identity;
}

std::optional<std::int64_t> interruptInIntervalMicroseconds(const fs::path& interface, const fs::path& usbDevice)
{
    const auto speed = readText(usbDevice / "speed");
    if (!speed) {
        return std::nullopt;
    }
    const std::string_view speedText = trimmedAscii(*speed);
    const bool fullOrLow = speedText == "1.5" || speedText == "12";
    const bool highOrSuper = speedText == "480" || speedText == "5000" || speedText == "10000" || speedText == "20000";
    if (!fullOrLow && !highOrSuper) {
        return std::nullopt;
    }

    std::vector<fs::path> endpoints;
    std::error_code error;
    for (fs::directory_iterator entry(interface, error), end; !error && entry != end; entry.increment(error)) {
        if (entry->path().filename().string().starts_with("ep_")) {
            endpoints.push_back(entry->path());
        }
    }
    std::sort(endpoints.begin(), endpoints.end());
    for (const auto& endpoint : endpoints) {
        if (readText(endpoint / "type") != "Interrupt" || readText(endpoint / "direction") != "in") {
            continue;
        }
        // bInterval is printed in hexadecimal. Full and low speed count it in milliseconds; high
        // and super speed as an exponent of 125 µs micro-frames, as the USB core does.
        const auto interval = readNumber(endpoint / "bInterval", 16);
        if (!interval) {
            return std::nullopt;
        }
        if (fullOrLow) {
            return *interval >= 1 && *interval <= 255 ? std::optional<std::int64_t>(*interval * 1000) : std::nullopt;
        }
        return *interval >= 1 && *interval <= 16 ? std::optional<std::int64_t>((1LL << (*interval - 1)) * 125)
                                                 : std::nullopt;
    }
    return std::nullopt;
}

std::optional<input::HIDDeviceProperties> readPointerDevice(const fs::path& syspath)
{
    // The descriptor decides whether this is a pointing device; without it nothing says so.
    const auto descriptorBytes = readFile(syspath / "report_descriptor", kMaxDescriptorBytes);
    if (!descriptorBytes) {
        return std::nullopt;
    }
    const auto descriptor = HidReportDescriptor::parse(
        std::span(reinterpret_cast<const std::uint8_t*>(descriptorBytes->data()), descriptorBytes->size()));
    if (!descriptor.isPointingDevice()) {
        return std::nullopt;
    }

    const auto uevent = readUevent(syspath);
    HidIdentity identity = readIdentity(syspath, uevent);

    input::HIDDeviceProperties properties;
    properties.devicePath = syspath.string();
    properties.product = std::move(identity.product);
    properties.manufacturer = std::move(identity.manufacturer);
    properties.vendorID = identity.vendorID;
    properties.productID = identity.productID;
    properties.serialNumber = std::move(identity.serialNumber);
    properties.buttonUsages = descriptor.buttonUsages();
    for (const auto& bus : kBuses) {
        if (identity.bus == bus.bus) {
            properties.transport = bus.transport;
            properties.builtIn = bus.internal;
        }
    }
    if (identity.usbDevice && identity.usbInterface) {
        properties.versionNumber = readNumber(*identity.usbDevice / "bcdDevice", 16);
        properties.reportIntervalMicroseconds
            = interruptInIntervalMicroseconds(*identity.usbInterface, *identity.usbDevice);
        // A hard-wired port (the firmware says nothing can be plugged into it) holds a part of
        // the machine itself, such as a laptop keyboard-and-touchpad on an internal USB hub.
        if (readText(*identity.usbDevice / "removable") == "fixed") {
            properties.builtIn = true;
        }
    }
    return properties;
}

struct HidAncestor {
    fs::path syspath;
    std::map<std::string, std::string, std::less<>> uevent;
};

// The HID device at or above `start`, if any. Stops at the top of the device tree (sysfs's
// "devices" folder) or the file system root.
std::optional<HidAncestor> findHidAncestor(fs::path start)
{
    for (int step = 0; step < kMaxAncestorSteps && start.has_relative_path() && start.filename() != "devices"; ++step) {
        auto uevent = readUevent(start);
        if (isHidDevice(uevent)) {
            return HidAncestor {std::move(start), std::move(uevent)};
        }
        start = start.parent_path();
    }
    return std::nullopt;
}

std::optional<input::HIDBatteryProperties> readBattery(const fs::path& supply)
{
    const auto capacity = readNumber(supply / "capacity", 10);
    if (!capacity) {
        return std::nullopt;
    }
    // A HID battery that has not reported yet reads 0 % with an unknown status.
    if (*capacity == 0 && readText(supply / "status") == "Unknown") {
        return std::nullopt;
    }
    const auto owner = findHidAncestor(supply.parent_path());
    if (!owner) {
        return std::nullopt; // not a HID device's battery: a laptop's own battery, a UPS …
    }
    HidIdentity identity = readIdentity(owner->syspath, owner->uevent);
    input::HIDBatteryProperties battery;
    battery.batteryPercent = capacity;
    battery.serialNumber = std::move(identity.serialNumber);
    battery.product = std::move(identity.product);
    battery.vendorID = identity.vendorID;
    battery.productID = identity.productID;
    return battery;
}

// Event codes of <linux/input-event-codes.h>.
constexpr std::size_t kRelX = 0x00;
constexpr std::size_t kRelY = 0x01;
constexpr std::size_t kAbsX = 0x00;
constexpr std::size_t kAbsY = 0x01;
constexpr std::size_t kBtnLeft = 0x110;
constexpr std::size_t kBtnTask = 0x117;
constexpr std::size_t kBtnToolPen = 0x140;
constexpr std::size_t kBtnToolFinger = 0x145;
constexpr std::size_t kInputPropDirect = 0x01;

// A capability bitmap as the input class prints it: hexadecimal words, most significant first,
// each as wide as the kernel's (and so this program's) long.
class CapabilityBits {
public:
    static CapabilityBits read(const fs::path& path)
    {
        CapabilityBits bits;
        const auto text = readText(path);
        if (!text) {
            return bits;
        }
        std::string_view rest = *text;
        while (!rest.empty()) {
            const auto space = rest.find(' ');
            const std::string_view word = rest.substr(0, space);
            rest = space == std::string_view::npos ? std::string_view {} : rest.substr(space + 1);
            if (word.empty()) {
                continue;
            }
            std::uint64_t value = 0;
            const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
            if (error != std::errc() || end != word.data() + word.size()) {
                return CapabilityBits {};
            }
            bits.m_words.insert(bits.m_words.begin(), value);
        }
        return bits;
    }

    bool test(std::size_t bit) const
    {
        const std::size_t word = bit / kBitsPerWord;
        return word < m_words.size() && ((m_words[word] >> (bit % kBitsPerWord)) & 1U) != 0;
    }

private:
    static constexpr std::size_t kBitsPerWord = sizeof(long) * 8;
    // Least significant word first.
    std::vector<std::uint64_t> m_words;
};

// Pointing devices that are not HID devices: PS/2 and SMBus touchpads and pointing sticks, and
// touchpads with their own I2C or USB drivers. HID devices were listed from the hid bus already,
// and virtual devices (ours included) are no hardware.
std::optional<input::HIDDeviceProperties> readNonHidPointer(const fs::path& syspath)
{
    if (syspath.string().find("/devices/virtual/") != std::string::npos) {
        return std::nullopt;
    }
    const auto rel = CapabilityBits::read(syspath / "capabilities/rel");
    const auto abs = CapabilityBits::read(syspath / "capabilities/abs");
    const auto keys = CapabilityBits::read(syspath / "capabilities/key");
    const auto properties = CapabilityBits::read(syspath / "properties");
    const bool mouse = rel.test(kRelX) && rel.test(kRelY) && keys.test(kBtnLeft);
    const bool touchpad = abs.test(kAbsX) && abs.test(kAbsY) && keys.test(kBtnToolFinger) && !keys.test(kBtnToolPen)
        && !properties.test(kInputPropDirect);
    if ((!mouse && !touchpad) || findHidAncestor(syspath)) {
        return std::nullopt;
    }

    input::HIDDeviceProperties device;
    device.devicePath = syspath.string();
    if (auto name = readText(syspath / "name"); name && !name->empty()) {
        device.product = std::move(name);
    }
    device.vendorID = readNumber(syspath / "id/vendor", 16);
    device.productID = readNumber(syspath / "id/product", 16);
    const auto bus = readNumber(syspath / "id/bustype", 16);
    for (const auto& known : kBuses) {
        if (bus == known.bus) {
            device.transport = known.transport;
            device.builtIn = known.internal;
        }
    }
    if (auto uniq = readText(syspath / "uniq"); uniq && !uniq->empty()) {
        device.serialNumber = std::move(uniq);
    }
    // BTN_LEFT to BTN_TASK are buttons 1 to 8.
    std::vector<std::int64_t> buttons;
    for (std::size_t code = kBtnLeft; code <= kBtnTask; ++code) {
        if (keys.test(code)) {
            buttons.push_back(static_cast<std::int64_t>(code - kBtnLeft + 1));
        }
    }
    device.buttonUsages = std::move(buttons);
    return device;
}

// The entries of a bus or class folder, each resolved to its device folder. Those entries are
// links into the device tree; resolving the one link by hand costs one system call where a full
// canonical path costs one per component, and the rescan runs every few seconds.
std::vector<fs::path> listDeviceFolders(const fs::path& folder)
{
    std::vector<fs::path> paths;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code linkError;
        if (!entry->is_symlink(linkError)) {
            paths.push_back(entry->path());
            continue;
        }
        const fs::path target = fs::read_symlink(entry->path(), linkError);
        if (!linkError) {
            paths.push_back(target.is_absolute() ? target : (folder / target).lexically_normal());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::optional<std::vector<fs::path>> listWithUdev(const char* subsystem)
{
    Udev context(udev_new());
    if (!context) {
        return std::nullopt;
    }
    UdevEnumerate enumerate(udev_enumerate_new(context.get()));
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), subsystem) < 0
        || udev_enumerate_scan_devices(enumerate.get()) < 0) {
        return std::nullopt;
    }
    std::vector<fs::path> paths;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
    {
        if (const char* syspath = udev_list_entry_get_name(entry)) {
            paths.emplace_back(syspath);
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

struct SysfsPointerDeviceSource::Impl {
    // Empty: enumerate with libudev.
    std::optional<fs::path> sysfsRoot;

    std::optional<std::vector<fs::path>> list(const char* subsystemFolder, const char* subsystem) const
    {
        if (!sysfsRoot) {
            return listWithUdev(subsystem);
        }
        std::error_code error;
        if (!fs::is_directory(*sysfsRoot, error)) {
            return std::nullopt;
        }
        return listDeviceFolders(*sysfsRoot / subsystemFolder);
    }
};

SysfsPointerDeviceSource::SysfsPointerDeviceSource()
    : m_impl(std::make_unique<Impl>())
{
}

SysfsPointerDeviceSource::SysfsPointerDeviceSource(std::filesystem::path sysfsRoot)
    : m_impl(std::make_unique<Impl>(Impl {std::move(sysfsRoot)}))
{
}

SysfsPointerDeviceSource::~SysfsPointerDeviceSource() = default;

std::optional<std::vector<input::HIDDeviceProperties>> SysfsPointerDeviceSource::pointerDevices()
{
    const auto syspaths = m_impl->list("bus/hid/devices", "hid");
    if (!syspaths) {
        return std::nullopt;
    }
    std::vector<input::HIDDeviceProperties> devices;
    for (const auto& syspath : *syspaths) {
        if (auto device = readPointerDevice(syspath)) {
            devices.push_back(std::move(*device));
        }
    }
    // The input class also lists event, mouse and joystick nodes; the input devices are "inputN".
    for (const auto& syspath : m_impl->list("class/input", "input").value_or(std::vector<fs::path> {})) {
        if (syspath.filename().string().starts_with("input")) {
            if (auto device = readNonHidPointer(syspath)) {
                devices.push_back(std::move(*device));
            }
        }
    }
    return devices;
}

std::vector<input::HIDBatteryProperties> SysfsPointerDeviceSource::hidBatteries()
{
    std::vector<input::HIDBatteryProperties> batteries;
    const auto syspaths = m_impl->list("class/power_supply", "power_supply");
    if (!syspaths) {
        return batteries;
    }
    for (const auto& syspath : *syspaths) {
        if (auto battery = readBattery(syspath)) {
            batteries.push_back(std::move(*battery));
        }
    }
    return batteries;
}

} // namespace tarn
