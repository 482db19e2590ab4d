#pragma once

// One Control+Option window drag: the window under the pointer when the button went down and
// where things started. The left button moves the window, the right button resizes it from its
// top-left corner, never below a usable size.

#include <algorithm>

#include "TarnInputCore/Engine/Ports/WindowAccess.h"

namespace tarn::input {

struct WindowDragSession {
    static constexpr WindowSize kMinimumSize {220, 140};

    WindowRef window;
    EventPoint startMouse;
    WindowFrame initialFrame;
    bool isResizing = false;

    // Where the window goes for the pointer at `mouse` (global coordinates, y downward).
    EventPoint originFor(EventPoint mouse) const
    {
        return {initialFrame.origin.x + (mouse.x - startMouse.x), initialFrame.origin.y + (mouse.y - startMouse.y)};
    }
    WindowSize sizeFor(EventPoint mouse) const
    {
        return {std::max(initialFrame.size.width + (mouse.x - startMouse.x), kMinimumSize.width),
            std::max(initialFrame.size.height + (mouse.y - startMouse.y), kMinimumSize.height)};
    }
};

} // namespace tarn::input
