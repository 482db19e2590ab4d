#pragma once

// What the overlays need of the window system beyond what Qt offers: whether a compositor blends
// translucent windows with what lies below, and keeping an overlay on every workspace. Free of Qt
// and X11 types, so the X11 adapter lives with the other platform adapters.

#include <cstdint>

namespace tarn::input {

class OverlayWindowManager {
public:
    virtual ~OverlayWindowManager() = default;

    // True while translucent pixels show what lies below; without that, an overlay limits itself
    // to its shape so that nothing opaque covers the screen around it.
    virtual bool isCompositing() const = 0;
    // Called with the overlay's native window each time before it is shown.
    virtual void prepareToShow(std::uint64_t nativeWindow) = 0;
};

} // namespace tarn::input
