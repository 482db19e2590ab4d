#include "Platform/Linux/Uinput/VirtualInputDevice.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bitset>
#include <mutex>
#include <thread>
#include <vector>

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include "TarnKit/Foundation/Files/CHandle.h"

#include <linux/input.h>
#include <unistd.h>

namespace tarn::input {
namespace {

using Evdev = CHandle<libevdev, libevdev_free>;
using Uinput = CHandle<libevdev_uinput, libevdev_uinput_destroy>;

// uinput refuses longer names (UINPUT_MAX_NAME_SIZE, the terminating zero included).
constexpr std::size_t kMaxNameBytes = 79;
constexpr std::string_view kTwinSuffix = " (TarnInput)";

// The syspaths of our devices alive now, for the tap (which may run beside the poster).
std::mutex& registryMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<std::string>& registry()
{
    static std::vector<std::string> syspaths;
    return syspaths;
}

std::string twinName(const char* sourceName)
{
    std::string name = sourceName != nullptr ? sourceName : "Mouse";
    const std::size_t room = kMaxNameBytes - kTwinSuffix.size();
    if (name.size() > room) {
        // Cut at a character boundary: back over continuation bytes to the lead byte, then drop it.
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0U) == 0x80U) {
            --cut;
        }
        name.resize(cut);
    }
    return name + std::string(kTwinSuffix);
}

// A wheel is sent with both resolutions, so a device with either gets both.
void enableWheelPair(libevdev* device, unsigned lowRes, unsigned highRes)
{
    if (libevdev_has_event_code(device, EV_REL, lowRes) || libevdev_has_event_code(device, EV_REL, highRes)) {
        libevdev_enable_event_code(device, EV_REL, lowRes, nullptr);
        libevdev_enable_event_code(device, EV_REL, highRes, nullptr);
    }
}

} // namespace

struct VirtualInputDevice::Impl {
    // Who may write: the writer (open, or writing just now) or, after a stall, no one (seized).
    enum Gate : int { open, writing, seized };

    Uinput uinput;
    std::string devnode;
    std::string syspath;
    // The writer's own; the watchdog reads it only once it has seized the device.
    std::bitset<KEY_CNT> held;
    std::atomic<int> gate {open};

    bool enter()
    {
        int expected = open;
        return gate.compare_exchange_strong(expected, writing, std::memory_order_acquire);
    }

    void leave() { gate.store(open, std::memory_order_release); }

    void send(std::span<const input_event> events)
    {
        if (events.empty()) {
            return;
        }
        [[maybe_unused]] const auto written
            = ::write(libevdev_uinput_get_fd(uinput.get()), events.data(), events.size_bytes());
        // Only now the bookkeeping: the events are out.
        for (const auto& event : events) {
            if (event.type == EV_KEY && event.code < KEY_CNT) {
                held.set(event.code, event.value != 0);
            }
        }
    }

    void liftHeld()
    {
        if (held.none()) {
            return;
        }
        UinputWriteBuffer releases;
        for (std::size_t code = 0; code < held.size(); ++code) {
            if (!held.test(code)) {
                continue;
            }
            // Room for this release and the frame's end.
            if (releases.room() < 2) {
                releases.endFrame();
                send(releases.events());
                releases.clear();
            }
            releases.push(EV_KEY, static_cast<std::uint16_t>(code), 0);
        }
        releases.endFrame();
        send(releases.events());
    }
};

namespace {

std::unique_ptr<VirtualInputDevice::Impl> createFrom(libevdev* description)
{
    libevdev_set_phys(description, std::string(VirtualInputDevice::kPhys).c_str());
    libevdev_uinput* raw = nullptr;
    if (libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &raw) != 0) {
        return nullptr;
    }
    auto impl = std::make_unique<VirtualInputDevice::Impl>();
    impl->uinput.reset(raw);
    const char* devnode = libevdev_uinput_get_devnode(raw);
    const char* syspath = libevdev_uinput_get_syspath(raw);
    impl->devnode = devnode != nullptr ? devnode : "";
    impl->syspath = syspath != nullptr ? syspath : "";
    std::lock_guard lock(registryMutex());
    registry().push_back(impl->syspath);
    return impl;
}

} // namespace

VirtualInputDevice::VirtualInputDevice(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
}

VirtualInputDevice::~VirtualInputDevice()
{
    releaseAll();
    {
        std::lock_guard lock(registryMutex());
        auto& syspaths = registry();
        const auto found = std::find(syspaths.begin(), syspaths.end(), m_impl->syspath);
        if (found != syspaths.end()) {
            syspaths.erase(found);
        }
    }
}

std::unique_ptr<VirtualInputDevice> VirtualInputDevice::createTwin(int sourceFd)
{
    libevdev* raw = nullptr;
    if (libevdev_new_from_fd(sourceFd, &raw) != 0) {
        return nullptr;
    }
    Evdev description(raw);
    libevdev_set_name(raw, twinName(libevdev_get_name(raw)).c_str());
    enableWheelPair(raw, REL_WHEEL, REL_WHEEL_HI_RES);
    enableWheelPair(raw, REL_HWHEEL, REL_HWHEEL_HI_RES);
    auto impl = createFrom(raw);
    return impl ? std::unique_ptr<VirtualInputDevice>(new VirtualInputDevice(std::move(impl))) : nullptr;
}

std::unique_ptr<VirtualInputDevice> VirtualInputDevice::createKeyboard()
{
    Evdev description(libevdev_new());
    libevdev_set_name(description.get(), "TarnInput virtual keyboard");
    libevdev_set_id_bustype(description.get(), BUS_VIRTUAL);
    libevdev_enable_event_type(description.get(), EV_KEY);
    // Every keyboard key; the mouse buttons start at BTN_MISC.
    for (unsigned code = KEY_ESC; code < BTN_MISC; ++code) {
        libevdev_enable_event_code(description.get(), EV_KEY, code, nullptr);
    }
    auto impl = createFrom(description.get());
    return impl ? std::unique_ptr<VirtualInputDevice>(new VirtualInputDevice(std::move(impl))) : nullptr;
}

std::unique_ptr<VirtualInputDevice> VirtualInputDevice::createPointer()
{
    Evdev description(libevdev_new());
    libevdev_set_name(description.get(), "TarnInput virtual pointer");
    libevdev_set_id_bustype(description.get(), BUS_VIRTUAL);
    libevdev_enable_property(description.get(), INPUT_PROP_POINTER);
    libevdev_enable_event_type(description.get(), EV_KEY);
    for (unsigned code = BTN_LEFT; code < BTN_JOYSTICK; ++code) {
        libevdev_enable_event_code(description.get(), EV_KEY, code, nullptr);
    }
    libevdev_enable_event_type(description.get(), EV_REL);
    for (unsigned code : {REL_X, REL_Y, REL_WHEEL, REL_WHEEL_HI_RES, REL_HWHEEL, REL_HWHEEL_HI_RES}) {
        libevdev_enable_event_code(description.get(), EV_REL, code, nullptr);
    }
    auto impl = createFrom(description.get());
    return impl ? std::unique_ptr<VirtualInputDevice>(new VirtualInputDevice(std::move(impl))) : nullptr;
}

bool VirtualInputDevice::isOurs(std::string_view syspath)
{
    std::lock_guard lock(registryMutex());
    return std::any_of(registry().begin(), registry().end(), [&](const std::string& ours) {
        return !ours.empty() && syspath.starts_with(ours)
            && (syspath.size() == ours.size() || syspath[ours.size()] == '/');
    });
}

void VirtualInputDevice::write(const UinputWriteBuffer& frames)
{
    if (m_impl->enter()) {
        m_impl->send(frames.events());
        m_impl->leave();
    }
}

void VirtualInputDevice::writeFrame(std::span<const EvdevEvent> events)
{
    UinputWriteBuffer frame;
    for (const auto& event : events) {
        frame.push(event.type, event.code, event.value);
    }
    frame.endFrame();
    write(frame);
}

void VirtualInputDevice::releaseAll()
{
    // A seized device has been lifted already.
    if (m_impl->enter()) {
        m_impl->liftHeld();
        m_impl->leave();
    }
}

void VirtualInputDevice::seize()
{
    int expected = Impl::open;
    while (!m_impl->gate.compare_exchange_weak(expected, Impl::seized, std::memory_order_acquire)) {
        if (expected == Impl::seized) {
            return;
        }
        // The writer is in the middle of one write(2): a matter of microseconds.
        expected = Impl::open;
        std::this_thread::yield();
    }
    m_impl->liftHeld();
}

void VirtualInputDevice::reopen()
{
    m_impl->gate.store(Impl::open, std::memory_order_release);
}

bool VirtualInputDevice::isHeld(int code) const
{
    return code >= 0 && code < KEY_CNT && m_impl->held.test(static_cast<std::size_t>(code));
}

const std::string& VirtualInputDevice::devnode() const
{
    return m_impl->devnode;
}

const std::string& VirtualInputDevice::syspath() const
{
    return m_impl->syspath;
}

} // namespace tarn::input
