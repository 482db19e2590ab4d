#pragma once

// The engine creates its tap whenever the input permission is there, which may be long after
// launch (once the user's new group applies). The poster needs the same /dev/uinput as the tap's
// twins, so it is opened at that moment as well: opened only at launch, shortcuts, smooth-scroll
// frames and macros would stay silent until a restart while the mouse itself is reshaped.

#include <cstdint>
#include <functional>

#include "TarnInputCore/Engine/Ports/EventTap.h"

namespace tarn::input {

class PosterOpeningEventTap final : public EventTap {
public:
    // `openPoster` makes the poster ready (again) and answers whether it can post; it is asked
    // before every creation. `tap` must outlive this.
    PosterOpeningEventTap(EventTap& tap, std::function<bool()> openPoster);

    // False, with the tap not created, while the poster cannot be opened: a tap that reshapes
    // buttons but cannot post what they are bound to would swallow them.
    [[nodiscard]] bool create(std::uint64_t eventMask, EventTapHandler& handler) override;
    void enable() override;
    void wake() override;
    void destroy() override;

private:
    EventTap& m_tap;
    std::function<bool()> m_openPoster;
};

} // namespace tarn::input
