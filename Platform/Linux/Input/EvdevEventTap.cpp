#include "Platform/Linux/Input/EvdevEventTap.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bitset>
#include <cerrno>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "Platform/Linux/Input/EvdevPointerFrame.h"
#include "Platform/Linux/Input/EvdevVocabulary.h"
#include "Platform/Linux/Input/InputDeviceDirectory.h"
#include "Platform/Linux/Input/StallWatchdog.h"
#include "Platform/Linux/Uinput/UinputWriteBuffer.h"
#include "Platform/Linux/Uinput/VirtualInputDevice.h"
#include "Platform/Linux/X11/PointerLocationCache.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <fcntl.h>
#include <linux/input.h>
#include <pthread.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

namespace tarn::input {
namespace {

constexpr int kMaxEpollEvents = 16;
// Events read with one read(2): more than the kernel keeps for any device (a mouse's buffer holds
// 128, a keyboard's fewer), so one read takes everything waiting and the kernel's buffer is empty
// again for as long as the batch takes.
constexpr std::size_t kReadBatch = 1024;
// Motion events waiting to be handed to the handler once the write buffer is out.
constexpr std::size_t kMaxMotionAfterWrite = 64;
constexpr int kModifierCodes[] = {
    KEY_LEFTMETA, KEY_RIGHTMETA, KEY_LEFTALT, KEY_RIGHTALT, KEY_LEFTCTRL, KEY_RIGHTCTRL, KEY_LEFTSHIFT, KEY_RIGHTSHIFT};

std::int64_t monotonicNs()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t {now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

std::int64_t eventTimeNs(const input_event& event)
{
    return std::int64_t {event.input_event_sec} * 1'000'000'000 + std::int64_t {event.input_event_usec} * 1000;
}

// The kernel's key state of a device, one bit per key code.
using KeyState = std::bitset<KEY_CNT>;

KeyState readKeyState(int fd)
{
    std::array<unsigned long, (KEY_CNT + 8 * sizeof(unsigned long) - 1) / (8 * sizeof(unsigned long))> words {};
    KeyState state;
    if (::ioctl(fd, EVIOCGKEY(sizeof words), words.data()) < 0) {
        return state;
    }
    for (std::size_t code = 0; code < KEY_CNT; ++code) {
        if ((words[code / (8 * sizeof(unsigned long))] >> (code % (8 * sizeof(unsigned long))) & 1UL) != 0) {
            state.set(code);
        }
    }
    return state;
}

struct Device {
    InputDeviceInfo info;
    UniqueFd fd;
    std::unique_ptr<VirtualInputDevice> twin; // pointers only
    EvdevPointerFrame frame;
    // After SYN_DROPPED, up to the next SYN_REPORT: what arrives then is incomplete.
    bool dropping = false;
    // Written by the watchdog too.
    std::atomic<bool> grabbed {false};
    std::int64_t grabbedSinceNs = 0;
    // The time stamp of the last SYN_REPORT (CLOCK_MONOTONIC, set when the device is opened).
    std::int64_t lastFrameNs = 0;
    bool grabRefusalLogged = false;
    std::uint64_t modifierFlags = 0;
    std::bitset<std::size(kModifierCodes)> heldModifiers;

    bool isPointer() const { return info.role == InputDeviceRole::pointer; }

    bool anyButtonDown() const
    {
        const auto keys = readKeyState(fd.get());
        for (int code = BTN_LEFT; code < BTN_JOYSTICK; ++code) {
            if (keys.test(static_cast<std::size_t>(code))) {
                return true;
            }
        }
        return false;
    }

    bool grab()
    {
        if (::ioctl(fd.get(), EVIOCGRAB, 1) != 0) {
            return false;
        }
        grabbedSinceNs = monotonicNs();
        return true;
    }

    // Whether the frame that just ended reached only us: frames stamped before the grab were
    // still in our buffer when we grabbed, and every other reader had them too.
    bool frameIsOurs() const { return grabbed && lastFrameNs >= grabbedSinceNs; }

    // On the input thread.
    void ungrab()
    {
        if (grabbed.exchange(false)) {
            ::ioctl(fd.get(), EVIOCGRAB, 0);
        }
        if (twin) {
            twin->releaseAll();
        }
    }

    // On the watchdog's thread, while the input thread is stuck: the twin is taken from it and
    // lifted first, because ending a grab waits for the kernel's RCU grace period (the mouse's
    // events reach others from the start of that wait, but the call returns only after it).
    void letGo()
    {
        if (twin) {
            twin->seize();
        }
        if (grabbed.exchange(false)) {
            ::ioctl(fd.get(), EVIOCGRAB, 0);
        }
    }

    // Answers whether the modifier flags changed.
    bool setModifier(int code, bool down)
    {
        for (std::size_t i = 0; i < std::size(kModifierCodes); ++i) {
            if (kModifierCodes[i] == code) {
                heldModifiers.set(i, down);
            }
        }
        std::uint64_t flags = 0;
        for (std::size_t i = 0; i < std::size(kModifierCodes); ++i) {
            flags |= heldModifiers.test(i) ? evdev::modifierFlagForCode(kModifierCodes[i]) : 0;
        }
        return std::exchange(modifierFlags, flags) != flags;
    }
};

// Why a device could not be opened: permission problems fail the whole tap, a device that went
// away in between does not.
struct OpenResult {
    std::unique_ptr<Device> device;
    int error = 0;
};

OpenResult openDevice(const InputDeviceInfo& info)
{
    UniqueFd fd(::open(info.devnode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd) {
        return {nullptr, errno};
    }
    // Not an event device after all (a race with another node taking the name).
    int version = 0;
    if (::ioctl(fd.get(), EVIOCGVERSION, &version) < 0) {
        return {nullptr, ENODEV};
    }
    // Time stamps on the clock the grab is timed with.
    int clock = CLOCK_MONOTONIC;
    ::ioctl(fd.get(), EVIOCSCLOCKID, &clock);
    auto device = std::make_unique<Device>();
    device->info = info;
    const auto keys = readKeyState(fd.get());
    for (const int code : kModifierCodes) {
        device->setModifier(code, keys.test(static_cast<std::size_t>(code)));
    }
    if (device->isPointer()) {
        device->twin = VirtualInputDevice::createTwin(fd.get());
        if (!device->twin) {
            return {nullptr, EACCES};
        }
    }
    device->fd = std::move(fd);
    return {std::move(device), 0};
}

bool canWriteUinput()
{
    UniqueFd fd(::open("/dev/uinput", O_WRONLY | O_CLOEXEC));
    return static_cast<bool>(fd);
}

} // namespace

struct EvdevEventTap::Impl {
    Impl(PointerLocationCache& location, LogSink& log)
        : location(location)
        , log(log)
        , watchdog(
              kStallThreshold, [this] { return releaseAfterStall(); }, "tarn-watchdog")
    {
    }

    PointerLocationCache& location;
    LogSink& log;

    EventTapHandler* handler = nullptr;
    std::uint64_t eventMask = 0;
    std::atomic<bool> enabled {false};
    // Set by `enable()`: the input thread tries to grab every pointer it does not hold yet.
    std::atomic<bool> grabRequested {false};
    std::atomic<bool> stopRequested {false};
    std::atomic<bool> stalled {false};
    // Set by `wake()`: the handler gets a `tapWoken` notice after this wake-up.
    std::atomic<bool> wakeRequested {false};

    // The input thread changes the list (hot-plug) under this mutex; the watchdog reads it under it.
    // The input thread reads it without the mutex: it is the only writer.
    std::mutex devicesMutex;
    std::vector<std::unique_ptr<Device>> devices;
    // Set when a device goes away: the rest of epoll's batch may name it.
    bool devicesRemoved = false;
    std::uint64_t modifierFlags = 0;

    // The input thread's own: what one read(2) brought, what goes to a twin with the next write(2),
    // and the motion the handler gets once that write is out.
    std::array<input_event, kReadBatch> batch {};
    UinputWriteBuffer out;
    std::array<TapEvent, kMaxMotionAfterWrite> motionAfterWrite {};
    std::size_t motionAfterWriteCount = 0;

    std::unique_ptr<InputDeviceDirectory> directory;
    UniqueFd epoll;
    UniqueFd wake;

    std::thread inputThread;
    StallWatchdog watchdog;

    bool create(std::uint64_t mask, EventTapHandler& tapHandler);
    void destroy();
    void closeAll();

    void runInputLoop();
    bool releaseAfterStall();

    void poke() const;
    void watch(int fd, void* tag) const;
    void grabIdleDevices();
    void tryGrab(Device& device);
    void readDevice(Device& device);
    void handleEvent(Device& device, const EvdevEvent& event);
    void finishFrame(Device& device);
    void flush(Device& device);
    void handleHotplug();
    void addDevice(std::unique_ptr<Device> device);
    void removeDevice(Device& device);
    void updateModifierFlags();
    void resynchronise(Device& device);
    FrameContext contextFor(const Device& device);
};

bool EvdevEventTap::Impl::create(std::uint64_t mask, EventTapHandler& tapHandler)
{
    directory = std::make_unique<InputDeviceDirectory>();
    for (const auto& info : directory->scan()) {
        if (info.role == InputDeviceRole::ignored) {
            continue;
        }
        auto opened = openDevice(info);
        if (opened.error == EACCES || opened.error == EPERM) {
            closeAll();
            return false;
        }
        if (opened.device) {
            devices.push_back(std::move(opened.device));
        }
    }
    // A machine with no mouse yet still needs uinput for the one plugged in later and for posting.
    if (!canWriteUinput()) {
        closeAll();
        return false;
    }
    epoll = UniqueFd(epoll_create1(EPOLL_CLOEXEC));
    wake = UniqueFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (!epoll || !wake) {
        closeAll();
        return false;
    }
    watch(wake.get(), &wake);
    if (directory->monitorFd() >= 0) {
        watch(directory->monitorFd(), directory.get());
    }
    for (const auto& device : devices) {
        watch(device->fd.get(), device.get());
    }
    handler = &tapHandler;
    eventMask = mask;
    enabled = false;
    stalled = false;
    stopRequested = false;
    watchdog.start();
    inputThread = std::thread([this] { runInputLoop(); });
    ::pthread_setname_np(inputThread.native_handle(), "tarn-input");
    return true;
}

void EvdevEventTap::Impl::destroy()
{
    if (!inputThread.joinable()) {
        return;
    }
    stopRequested = true;
    poke();
    // From inside a handler call the loop ends after it returns; whoever destroys or creates next
    // joins the thread.
    if (std::this_thread::get_id() == inputThread.get_id()) {
        return;
    }
    inputThread.join();
    watchdog.stop();
    closeAll();
    handler = nullptr;
}

void EvdevEventTap::Impl::closeAll()
{
    std::lock_guard lock(devicesMutex);
    for (auto& device : devices) {
        device->ungrab();
    }
    // The twins' destructors lift whatever they still hold before the devices go away.
    devices.clear();
    epoll.reset();
    wake.reset();
    directory.reset();
    modifierFlags = 0;
}

void EvdevEventTap::Impl::poke() const
{
    if (wake) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wake.get(), &one, sizeof one);
    }
}

void EvdevEventTap::Impl::watch(int fd, void* tag) const
{
    epoll_event event {};
    event.events = EPOLLIN;
    event.data.ptr = tag;
    epoll_ctl(epoll.get(), EPOLL_CTL_ADD, fd, &event);
}

void EvdevEventTap::Impl::runInputLoop()
{
    std::array<epoll_event, kMaxEpollEvents> ready {};
    while (!stopRequested) {
        if (grabRequested.load(std::memory_order_relaxed) && grabRequested.exchange(false) && enabled && !stalled) {
            grabIdleDevices();
        }
        watchdog.idle();
        const int count = epoll_wait(epoll.get(), ready.data(), kMaxEpollEvents, -1);
        watchdog.busy();
        devicesRemoved = false;
        for (int i = 0; i < count && !stopRequested && !devicesRemoved; ++i) {
            void* tag = ready[i].data.ptr;
            if (tag == &wake) {
                std::uint64_t value = 0;
                [[maybe_unused]] const auto read = ::read(wake.get(), &value, sizeof value);
            } else if (tag == directory.get()) {
                handleHotplug();
            } else {
                readDevice(*static_cast<Device*>(tag));
            }
        }
        if (wakeRequested.load(std::memory_order_relaxed) && wakeRequested.exchange(false) && handler != nullptr
            && !stopRequested) {
            TapEvent notice;
            notice.type = TapEventType::tapWoken;
            handler->handleTapEvent(notice);
        }
        // Back in the loop after a stall: tell the handler, as the system tells of a tap it switched
        // off; its `enable()` grabs again.
        if (stalled.load(std::memory_order_relaxed) && stalled.exchange(false) && handler != nullptr
            && !stopRequested) {
            TapEvent notice;
            notice.type = TapEventType::tapDisabledByTimeout;
            handler->handleTapEvent(notice);
        }
        // Everything of this wake-up is written: whatever the handler put off for the frames' sake
        // (waking the interface) may be done now.
        if (handler != nullptr && !stopRequested) {
            TapEvent notice;
            notice.type = TapEventType::tapFramesOut;
            handler->handleTapEvent(notice);
        }
    }
    watchdog.idle();
    // Let go at once, also when destroyed from inside a handler call (the thread is joined later).
    std::lock_guard lock(devicesMutex);
    for (auto& device : devices) {
        device->ungrab();
    }
}

bool EvdevEventTap::Impl::releaseAfterStall()
{
    // A hot-plug in progress holds the list; the watchdog asks again shortly.
    std::unique_lock lock(devicesMutex, std::try_to_lock);
    if (!lock.owns_lock()) {
        return false;
    }
    stalled = true;
    enabled = false;
    for (auto& device : devices) {
        device->letGo();
    }
    log.log(TarnLogLevel::warn, "tap",
        fmt::format("Input thread stalled for more than {} ms; mouse grab released", kStallThreshold.count()));
    return true;
}

void EvdevEventTap::Impl::grabIdleDevices()
{
    for (auto& device : devices) {
        tryGrab(*device);
    }
}

void EvdevEventTap::Impl::tryGrab(Device& device)
{
    // Asked when delivery starts, for a device plugged in, and after a frame of a pointer not held
    // yet once none of its buttons is down. A device another program holds sends us nothing, so
    // it is asked again with its first frame after that program lets go: no timer, no clock.
    if (!device.isPointer() || device.grabbed || device.anyButtonDown()) {
        return;
    }
    if (device.grab()) {
        device.grabbed = true;
        // The twin is ours to write again (the watchdog may have taken it in a stall), and
        // nothing it held before can be wanted now that no button is down.
        device.twin->reopen();
        device.twin->releaseAll();
        return;
    }
    if (!device.grabRefusalLogged) {
        device.grabRefusalLogged = true;
        log.log(TarnLogLevel::warn, "tap", "Another program holds " + device.info.devnode + "; it is left alone");
    }
}

void EvdevEventTap::Impl::readDevice(Device& device)
{
    while (true) {
        const auto size = ::read(device.fd.get(), batch.data(), sizeof batch);
        if (size < 0 && (errno == EAGAIN || errno == EINTR)) {
            return;
        }
        if (size <= 0) {
            // ENODEV: unplugged.
            removeDevice(device);
            return;
        }
        const auto count = static_cast<std::size_t>(size) / sizeof(input_event);
        for (std::size_t i = 0; i < count; ++i) {
            const auto& raw = batch[i];
            if (raw.type == EV_SYN && raw.code != SYN_DROPPED) {
                device.lastFrameNs = eventTimeNs(raw);
            }
            if (raw.type == EV_SYN && raw.code == SYN_DROPPED) {
                // The kernel's buffer overflowed: the frame in progress and what follows up to the
                // next SYN_REPORT are incomplete. The device's state is read afresh after it.
                device.frame.discardPending();
                device.dropping = true;
            } else if (device.dropping) {
                if (raw.type == EV_SYN && raw.code == SYN_REPORT) {
                    device.dropping = false;
                    resynchronise(device);
                }
            } else {
                handleEvent(device, {raw.type, raw.code, raw.value});
            }
        }
        flush(device);
        // A short read emptied the device's buffer: no need to ask again until epoll says so.
        if (count < batch.size()) {
            return;
        }
    }
}

void EvdevEventTap::Impl::resynchronise(Device& device)
{
    // Every press or release missed is made up from the kernel's key state, so no button stays
    // down (or up) for us when it is not on the device.
    const auto keys = readKeyState(device.fd.get());
    bool modifiersChanged = false;
    for (const int code : kModifierCodes) {
        modifiersChanged |= device.setModifier(code, keys.test(static_cast<std::size_t>(code)));
    }
    if (modifiersChanged) {
        updateModifierFlags();
    }
    if (!device.isPointer()) {
        return;
    }
    for (int code = BTN_LEFT; code < BTN_LEFT + 16; ++code) {
        const bool down = keys.test(static_cast<std::size_t>(code));
        if (device.frame.isButtonHeld(code) != down) {
            device.frame.add({EV_KEY, static_cast<std::uint16_t>(code), down ? 1 : 0});
        }
    }
    finishFrame(device);
}

void EvdevEventTap::Impl::handleEvent(Device& device, const EvdevEvent& event)
{
    if (event.type == EV_SYN) {
        if (event.code == SYN_REPORT) {
            finishFrame(device);
        }
        return;
    }
    if (event.type == EV_KEY && evdev::modifierFlagForCode(event.code) != 0 && event.value != 2
        && device.setModifier(event.code, event.value != 0)) {
        updateModifierFlags();
    }
    if (device.isPointer()) {
        device.frame.add(event);
        return;
    }
    // A keyboard: key presses go to the key HUD. Modifier keys alone are flags, not key presses,
    // and repeats are not new presses.
    if (event.type != EV_KEY || event.value != 1 || evdev::modifierFlagForCode(event.code) != 0 || !enabled
        || stopRequested || handler == nullptr || (eventMask & eventMaskBit(TapEventType::keyDown)) == 0) {
        return;
    }
    if (const auto ansi = evdev::ansiKeyForCode(event.code)) {
        TapEvent keyDown;
        keyDown.type = TapEventType::keyDown;
        keyDown.keyCode = *ansi;
        keyDown.flags = modifierFlags;
        keyDown.location = location.load();
        handler->handleTapEvent(keyDown);
    }
}

FrameContext EvdevEventTap::Impl::contextFor(const Device& device)
{
    FrameContext context;
    if (device.frameIsOurs() && enabled && !stopRequested) {
        context.handler = handler;
    }
    context.eventMask = eventMask;
    context.modifierFlags = modifierFlags;
    context.location = &location;
    return context;
}

void EvdevEventTap::Impl::finishFrame(Device& device)
{
    if (!device.isPointer()) {
        return;
    }
    // Before the handler sees a frame, it sees the motion that came before it, and the twin has
    // sent everything before it.
    if (device.frame.needsVerdict() || out.room() < EvdevPointerFrame::kMaxOutput
        || motionAfterWriteCount == motionAfterWrite.size()) {
        flush(device);
    }
    if (device.frame.finish(contextFor(device), out, motionAfterWrite[motionAfterWriteCount])) {
        ++motionAfterWriteCount;
    }
    if (!device.grabbed && !device.frame.anyButtonHeld() && enabled && !stalled) {
        tryGrab(device);
    }
}

void EvdevEventTap::Impl::flush(Device& device)
{
    // The twin first; the handler's bookkeeping of the motion written waits until it is out.
    if (!out.empty()) {
        device.twin->write(out);
        out.clear();
    }
    if (motionAfterWriteCount == 0) {
        return;
    }
    const auto context = contextFor(device);
    for (std::size_t i = 0; i < motionAfterWriteCount; ++i) {
        EvdevPointerFrame::deliverMotion(context, motionAfterWrite[i]);
    }
    motionAfterWriteCount = 0;
}

void EvdevEventTap::Impl::handleHotplug()
{
    while (auto change = directory->receive()) {
        const auto& devnode = change->device.devnode;
        const auto open = std::find_if(
            devices.begin(), devices.end(), [&](const auto& device) { return device->info.devnode == devnode; });
        if (change->action == InputDeviceAction::removed) {
            if (open != devices.end()) {
                removeDevice(**open);
            }
            continue;
        }
        if (open != devices.end() || change->device.role == InputDeviceRole::ignored) {
            continue;
        }
        auto opened = openDevice(change->device);
        if (opened.device) {
            addDevice(std::move(opened.device));
        } else if (opened.error != ENOENT && opened.error != ENODEV) {
            log.log(TarnLogLevel::warn, "tap", "Cannot open " + devnode + " (no permission to read it)");
        }
    }
}

void EvdevEventTap::Impl::addDevice(std::unique_ptr<Device> device)
{
    watch(device->fd.get(), device.get());
    auto& added = *device;
    {
        std::lock_guard lock(devicesMutex);
        devices.push_back(std::move(device));
    }
    if (enabled && !stalled) {
        tryGrab(added);
    }
}

void EvdevEventTap::Impl::removeDevice(Device& device)
{
    // Unplugged mid-press: the handler sees each held button come up (so a gesture or a swallowed
    // press ends), and the twin lets go of whatever it still holds.
    if (device.isPointer()) {
        device.frame.releaseHeldButtons(contextFor(device), out);
        flush(device);
        device.twin->releaseAll();
    }
    epoll_ctl(epoll.get(), EPOLL_CTL_DEL, device.fd.get(), nullptr);
    {
        std::lock_guard lock(devicesMutex);
        std::erase_if(devices, [&](const auto& each) { return each.get() == &device; });
    }
    devicesRemoved = true;
    updateModifierFlags();
}

void EvdevEventTap::Impl::updateModifierFlags()
{
    modifierFlags = 0;
    for (const auto& each : devices) {
        modifierFlags |= each->modifierFlags;
    }
}

EvdevEventTap::EvdevEventTap(PointerLocationCache& location, LogSink& log)
    : m_impl(std::make_unique<Impl>(location, log))
{
}

EvdevEventTap::~EvdevEventTap()
{
    destroy();
}

bool EvdevEventTap::create(std::uint64_t eventMask, EventTapHandler& handler)
{
    // Also joins the thread of a tap that was destroyed from inside its own handler.
    destroy();
    return m_impl->create(eventMask, handler);
}

void EvdevEventTap::enable()
{
    m_impl->enabled = true;
    m_impl->grabRequested = true;
    m_impl->poke();
}

void EvdevEventTap::wake()
{
    if (m_impl->inputThread.joinable()) {
        m_impl->wakeRequested = true;
        m_impl->poke();
    }
}

void EvdevEventTap::destroy()
{
    m_impl->destroy();
}

} // namespace tarn::input
