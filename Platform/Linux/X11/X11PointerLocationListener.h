#pragma once

// Keeps a PointerLocationCache current from the X server, so the input thread knows where the
// pointer is without asking. A listener thread of its own selects XInput2 raw motion on the root
// window (sent for every movement of a device, whichever window is under the pointer) and the
// root's own motion (which also tells of a pointer warped by a program over the bare desktop;
// a warp over a window is seen at the next movement), and after each burst of motion asks the
// server once where the pointer now is. While it runs the cache is marked as
// followed by the display server. Root coordinates are the engine's global coordinates.
//
// In a Wayland session or without an X11 display (or without XInput2) it logs that once and
// leaves the cache to the tap.

#include <memory>

#include "Platform/Linux/X11/PointerLocationCache.h"
#include "TarnKit/Foundation/Identity/Environment.h"
#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn::input {

class X11PointerLocationListener {
public:
    // The cache outlives the listener.
    X11PointerLocationListener(
        PointerLocationCache& cache, LogSink& log, const EnvironmentLookup& environment = processEnvironment);
    ~X11PointerLocationListener();
    X11PointerLocationListener(const X11PointerLocationListener&) = delete;
    X11PointerLocationListener& operator=(const X11PointerLocationListener&) = delete;

    bool isListening() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
