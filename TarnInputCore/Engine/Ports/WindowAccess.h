#pragma once

// Port: find the top-level window under a point and move or resize it. Used by the
// Control+Option window drag. Positions are global display coordinates (y downward).
// The engine calls every function on its executor, never on the tap thread, one call at a time,
// so an adapter may make round trips to the display server. During a drag the engine applies only
// the newest pointer position, so a slow move is followed by the latest one, not by a backlog.

#include <cstdint>
#include <optional>

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

// An opaque handle of a top-level window; what the number means is the adapter's business.
struct WindowRef {
    std::uint64_t id = 0;
    bool operator==(const WindowRef&) const = default;
};

struct WindowSize {
    double width = 0;
    double height = 0;
    bool operator==(const WindowSize&) const = default;
};

struct WindowFrame {
    EventPoint origin;
    WindowSize size;
    bool operator==(const WindowFrame&) const = default;
};

class WindowAccess {
public:
    virtual ~WindowAccess() = default;
    // The window that contains the element at the point, or the element itself when it has no
    // window; none on the desktop or when the lookup fails.
    virtual std::optional<WindowRef> windowAt(EventPoint point) = 0;
    // None when the position or the size cannot be read.
    virtual std::optional<WindowFrame> frame(WindowRef window) = 0;
    // False when the window refused; callers may ignore it.
    virtual bool setPosition(WindowRef window, EventPoint origin) = 0;
    virtual bool setSize(WindowRef window, WindowSize size) = 0;
};

} // namespace tarn::input
