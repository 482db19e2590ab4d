#pragma once

// An in-memory hotkey backend: records what is grabbed, refuses the chords a test names (as if
// another program held them) and delivers presses on whichever thread the test calls press() from.

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "TarnKit/Foundation/Ports/HotkeyBackend.h"

namespace tarn {

class FakeHotkeyBackend final : public HotkeyBackend {
public:
    bool registerHotkey(std::uint32_t id, const TarnHotkeyDescriptor& descriptor) override;
    void unregisterHotkey(std::uint32_t id) override;
    Subscription onPress(PressHandler handler) override;

    // Chords that another program holds from now on.
    void refuse(const TarnHotkeyDescriptor& descriptor);
    // Presses the chord; false when nothing here holds it (the press goes elsewhere).
    bool press(const TarnHotkeyDescriptor& descriptor);
    // Reports a press under an identifier, held or not.
    void pressID(std::uint32_t id);

    std::map<std::uint32_t, TarnHotkeyDescriptor> registrations() const;
    // Identifiers the manager asked for, refused ones included, in order.
    std::vector<std::uint32_t> requestedIDs() const;
    bool hasPressHandler() const;

private:
    mutable std::mutex m_mutex;
    // Held while the handler runs, so that cancelling waits for a press in progress.
    mutable std::mutex m_handlerMutex;
    std::map<std::uint32_t, TarnHotkeyDescriptor> m_registrations;
    std::vector<std::uint32_t> m_requested;
    std::set<std::pair<std::uint32_t, std::uint32_t>> m_refused;
    PressHandler m_handler;
};

} // namespace tarn
