#pragma once

// An event tap a test drives by hand: `deliver` plays one event through the handler the way the
// system would, and answers what applications would receive (nothing when it was swallowed). Each
// delivery and notice is one wake-up of the tap thread: a `tapFramesOut` notice follows it.

#include <cstdint>
#include <mutex>
#include <optional>

#include "TarnInputCore/Engine/Ports/EventTap.h"

namespace tarn::input {

class FakeEventTap final : public EventTap {
public:
    bool create(std::uint64_t eventMask, EventTapHandler& handler) override;
    void enable() override;
    // The notice reaches the handler at once, on the caller's thread, which plays the tap thread;
    // unless wake-ups are deferred.
    void wake() override;
    void destroy() override;

    // The next `create` calls fail, as without permission to read the input devices.
    void setCreationFails(bool fails);
    // Deferred: a wake-up is only counted, as by a tap thread busy with input, and the handler
    // meets what it was woken for with the next event.
    void setWakeUpsDeferred(bool deferred);

    // Events of untapped types, and every event while no enabled tap exists, pass unchanged.
    std::optional<TapEvent> deliver(TapEvent event);
    // The system switches the tap off and tells the handler with `notice`.
    void disableBySystem(TapEventType notice);

    bool exists() const;
    bool isEnabled() const;
    std::uint64_t eventMask() const;
    int createCount() const;
    int enableCount() const;
    int destroyCount() const;
    int wakeCount() const;

private:
    // The handler's call for one wake-up, then the notice that ends it.
    TapVerdict handleWakeUp(TapEvent& event);

    // Recursive: a handler may re-enable or destroy the tap from inside a delivery, and `destroy`
    // from another thread must wait for a delivery in progress, as the real tap promises.
    mutable std::recursive_mutex m_mutex;
    EventTapHandler* m_handler = nullptr;
    bool m_enabled = false;
    bool m_creationFails = false;
    bool m_wakeUpsDeferred = false;
    std::uint64_t m_mask = 0;
    int m_createCount = 0;
    int m_enableCount = 0;
    int m_destroyCount = 0;
    int m_wakeCount = 0;
};

} // namespace tarn::input
