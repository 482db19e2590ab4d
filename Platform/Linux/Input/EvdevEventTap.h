#pragma once

// The event tap on Linux. It reads every input event device on one input thread (an epoll loop
// over the devices, a udev monitor for hot-plug and a wake-up descriptor): that thread is the
// tap's main run loop, where the handler is called. Mice and other relative pointers are grabbed,
// each at a moment none of its buttons is down, and what the handler passes comes out of the
// device's virtual twin; keyboards are read without grabbing, for the key HUD and the modifier
// flags of mouse events. Our own virtual devices are never read. A mouse another program holds
// sends us nothing; its first frame after that program lets go is the moment to grab it, so no
// timer asks again.
//
// The input path: one read(2) takes every event a device has waiting; each frame is built straight
// into the twin's write buffer, and the buffer goes out with one write(2). A frame of motion alone
// is written before the handler sees it (the handler cannot change motion); a frame with a button,
// a key or a wheel is written once the handler has passed it, and anything written before it goes
// out first, so applications see the frames in the order the mouse sent them.
//
// Never losing the mouse: a watchdog thread lets go of every grab (and of every button a twin
// holds) when the input thread has been busy with one wake-up for kStallThreshold, so the mouse is
// back within kStallLimit of the stall's start. It costs nothing while no input arrives: it sleeps
// until the input thread has work, checks once per threshold while input keeps coming, and goes
// back to sleep after a threshold without any. When the input thread comes back after a stall,
// the handler is told with a tap-disabled-by-timeout notice and grabs again through `enable()`.
// `destroy()`, and the destructor, release every twin's buttons, drop the grabs and destroy the
// twins. If the process dies the kernel does the rest: a grab ends with its file, and the twins
// are destroyed with it, upon which libinput lets go of whatever they held down. A process that
// is stopped (SIGSTOP) is not dead: its grabs hold until it continues or dies.

#include <chrono>
#include <cstdint>
#include <memory>

#include "TarnInputCore/Engine/Ports/EventTap.h"
#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn::input {

class PointerLocationCache;

class EvdevEventTap final : public EventTap {
public:
    // The mouse is let go within this of a stall of the input thread.
    static constexpr std::chrono::milliseconds kStallLimit {250};
    // How long a wake-up may keep the input thread busy before it counts as a stall; the rest of
    // the limit is for the watchdog to wake and let go on a loaded machine.
    static constexpr std::chrono::milliseconds kStallThreshold {200};

    // `location` is where the pointer is; the tap moves it by relative motion while no display
    // server follows it. Both must outlive the tap.
    EvdevEventTap(PointerLocationCache& location, LogSink& log);
    ~EvdevEventTap() override;
    EvdevEventTap(const EvdevEventTap&) = delete;
    EvdevEventTap& operator=(const EvdevEventTap&) = delete;

    // Opens every pointer and keyboard and each pointer's twin, and starts the input thread. False,
    // with nothing left open, when a device cannot be read or /dev/uinput cannot be written.
    [[nodiscard]] bool create(std::uint64_t eventMask, EventTapHandler& handler) override;
    // Delivery starts, and each pointer is grabbed once none of its buttons is down.
    void enable() override;
    // Also while delivery is off or the mouse is let go after a stall.
    void wake() override;
    void destroy() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
