#pragma once

// Where the screens and the mouse pointer are, read each time an overlay is placed. A port, so
// that tests place overlays on screens of their own.

#include "TarnInput/Overlays/OverlayScreenLayout.h"

namespace tarn::input {

class OverlayScreens {
public:
    virtual ~OverlayScreens() = default;

    virtual OverlayScreenLayout layout() const = 0;
};

} // namespace tarn::input
