#pragma once

// Global keyboard shortcuts of one program: each registration gets an identifier (from 1, never
// reused) and an action that runs later on the main thread whenever its chord is pressed,
// whichever window has the focus. Call every member on the main thread. Destroying the manager
// releases every chord, and no action runs afterwards, not even one whose press came just before.
// The backend and the executor must outlive the manager.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Foundation/Desktop/TarnHotkeyDescriptor.h"
#include "TarnKit/Foundation/Ports/HotkeyBackend.h"
#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"

namespace tarn {

class TarnGlobalHotkeyManager final {
public:
    using Action = std::function<void()>;

    // The largest identifier ever handed out; once it is spent every registration is refused.
    static constexpr std::uint32_t kLastID = 4'294'967'294;

    TarnGlobalHotkeyManager(HotkeyBackend& backend, MainThreadExecutor& executor);
    ~TarnGlobalHotkeyManager();
    TarnGlobalHotkeyManager(const TarnGlobalHotkeyManager&) = delete;
    TarnGlobalHotkeyManager& operator=(const TarnGlobalHotkeyManager&) = delete;

    // The new registration's identifier, or absent when the chord was refused. Refused or not,
    // each call spends one identifier.
    std::optional<std::uint32_t> registerHotkey(const TarnHotkeyDescriptor& descriptor, Action action);
    // An unknown identifier does nothing.
    void unregister(std::uint32_t id);
    void unregisterAll();

private:
    // Shared with the tasks already posted for presses, which hold it weakly: a task that runs
    // after the manager is gone finds nothing and does nothing.
    using Handlers = std::map<std::uint32_t, Action>;

    HotkeyBackend& m_backend;
    MainThreadExecutor& m_executor;
    std::uint32_t m_nextID = 1;
    std::set<std::uint32_t> m_registered;
    std::shared_ptr<Handlers> m_handlers = std::make_shared<Handlers>();
    Subscription m_pressSubscription;
};

} // namespace tarn
