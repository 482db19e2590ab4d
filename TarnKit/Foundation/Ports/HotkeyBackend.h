#pragma once

// The window system's side of global shortcuts: grabs a key chord for the whole session and
// reports when it is pressed. The global hotkey manager owns the identifiers and the actions.

#include <cstdint>
#include <functional>

#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Foundation/Desktop/TarnHotkeyDescriptor.h"

namespace tarn {

class HotkeyBackend {
public:
    // Called with the identifier of a registration each time its chord goes down (not for key
    // repeat), on whatever thread the backend reads events on.
    using PressHandler = std::function<void(std::uint32_t id)>;

    virtual ~HotkeyBackend() = default;

    // Grabs the chord under `id`. False when the chord cannot be had: another program holds it,
    // this backend already holds it, the key or a modifier has no equivalent here, or there is
    // no window system to ask.
    [[nodiscard]] virtual bool registerHotkey(std::uint32_t id, const TarnHotkeyDescriptor& descriptor) = 0;
    // Releases the chord held under `id`; an unknown identifier does nothing.
    virtual void unregisterHotkey(std::uint32_t id) = 0;

    // One handler at a time. Cancelling the subscription waits for a handler call in progress, so
    // that once it returns the handler is never called again; it must therefore not be cancelled
    // from inside the handler, and the handler must not wait for the thread that cancels it.
    // The backend must outlive the subscription.
    virtual Subscription onPress(PressHandler handler) = 0;
};

} // namespace tarn
