#pragma once

// The event tap on Linux. It reads every input event device on one input thread (an epoll loop
// over the devices, a udev monitor for hot-plug and a wake-up descriptor): that thread is the
// tap's main run loop, where the handler is called. Mice and other relative pointers are grabbed,
// each at a moment none of its buttons is down, and what the handler passes comes out of the
// device's virtual twin; keyboards are read without grabbing, for the key HUD and the modifier
// flags of mouse events. Our own virtual devices are never read.
//
// Never losing the mouse: a watchdog thread releases every grab (and every button a twin holds)
// when the input thread has not come back to its loop within kStallLimit; when it does come back,
// the handler is told with a tap-disabled-by-timeout notice and grabs again through `enable()`.
// `destroy()`, and the destructor, release every twin's buttons, drop the grabs and destroy the
// twins. If the process dies the kernel does the rest: a grab ends with its file, and the twins
// are destroyed with it, upon which libinput lets go of whatever they held down.

#include <chrono>
#include <cstdint>
#include <memory>

#include "TarnInputCore/Engine/EventTap.h"
#include "TarnKit/Foundation/LogSink.h"

namespace tarn::input {

class PointerLocationCache;

class EvdevEventTap final : public EventTap {
public:
    static constexpr std::chrono::milliseconds kStallLimit {250};

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
    void destroy() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
