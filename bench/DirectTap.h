#pragma once

// A tap for benchmarks: hands events straight to the service's handler, as a tap adapter's read
// loop would, with nothing in between to measure.

#include "TarnInputCore/Engine/EventTap.h"

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
    TapVerdict deliver(TapEvent& event) { return m_handler->handleTapEvent(event); }

private:
    EventTapHandler* m_handler = nullptr;
};

} // namespace tarn::input
