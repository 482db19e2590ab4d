#pragma once

// A display whose pointer location a test sets.

#include "TarnInput/ViewModel/Ports/Screens.h"

namespace tarn::input {

class FakeScreens final : public Screens {
public:
    ClickRippleEvent::Point pointerLocation() const override { return m_pointer; }
    void setPointerLocation(ClickRippleEvent::Point point) { m_pointer = point; }

private:
    ClickRippleEvent::Point m_pointer;
};

} // namespace tarn::input
