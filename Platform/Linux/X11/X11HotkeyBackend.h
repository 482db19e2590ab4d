#pragma once

// Global shortcuts on X11: each chord is a passive key grab on the root window, taken in four
// variants so that it still works with Caps Lock or Num Lock on. A grab another client already
// holds is refused by the server, and so is the registration. Key events are read on a thread of
// the backend's own, which reports presses to the handler; key repeat is not reported. When the
// keyboard layout changes the chords are grabbed again on the keys that now carry them.

#include <cstdint>
#include <memory>
#include <string>

#include "TarnKit/Foundation/Ports/HotkeyBackend.h"

namespace tarn {

class X11HotkeyBackend final : public HotkeyBackend {
public:
    // Connects to `displayName`, or to $DISPLAY when it is empty. Without a display (a Wayland
    // session without XWayland, a console) the backend stays disconnected and refuses every chord.
    explicit X11HotkeyBackend(const std::string& displayName = {});
    ~X11HotkeyBackend() override;
    X11HotkeyBackend(const X11HotkeyBackend&) = delete;
    X11HotkeyBackend& operator=(const X11HotkeyBackend&) = delete;

    bool isConnected() const;

    bool registerHotkey(std::uint32_t id, const TarnHotkeyDescriptor& descriptor) override;
    void unregisterHotkey(std::uint32_t id) override;
    Subscription onPress(PressHandler handler) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn
