#pragma once

// A tap for benchmarks: hands events straight to the service's handler, as a tap adapter's read
// loop would, with nothing in between to measure. Each event is one wake-up of the tap thread:
// the notice that its frames are out follows, so what the handler puts off until then is measured.

#include "TarnInputCore/Engine/Ports/EventTap.h"

namespace tarn::input {

class DirectTap final : public EventTap {
public:
    bool create(std::uint64_t, EventTapHandler& handler) override
    {
        m_handler = &handler;
        return true;
    }
    void enable() override { }
    // Requests wait for the next event, as they would on a tap thread busy with input.
    void wake() override { }
    void destroy() override { m_handler = nullptr; }
    TapVerdict deliver(TapEvent& event)
    {
        const auto verdict = m_handler->handleTapEvent(event);
        TapEvent notice;
        notice.type = TapEventType::tapFramesOut;
        (void)m_handler->handleTapEvent(notice);
        return verdict;
    }

private:
    EventTapHandler* m_handler = nullptr;
};

} // namespace tarn::input
