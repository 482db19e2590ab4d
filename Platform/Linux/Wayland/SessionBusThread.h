#pragma once

// One connection to the user's session bus and a thread of its own that waits on it and runs what
// was registered on it (signal matches, method replies, exported objects). Everything is
// registered from the owner's thread before start(); from then on only the thread touches the
// connection, so its callbacks need no lock for it. Slots made on the connection must be released
// after stop() and before the object goes.

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <systemd/sd-bus.h>

#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

namespace tarn::input {

using SdBusSlot = CHandle<sd_bus_slot, sd_bus_slot_unref>;

class SessionBusThread {
public:
    // Null, with the reason in `whyNot`, when the session bus cannot be reached.
    static std::unique_ptr<SessionBusThread> open(std::string& whyNot);
    ~SessionBusThread();
    SessionBusThread(const SessionBusThread&) = delete;
    SessionBusThread& operator=(const SessionBusThread&) = delete;

    using Deadline = std::chrono::steady_clock::time_point;

    sd_bus* bus() const { return m_bus.get(); }
    void start();
    // From the thread's own callbacks: calls `handler` on the thread once `deadline` has passed.
    // A later call replaces an earlier one.
    void callAt(Deadline deadline, std::function<void()> handler);
    // Waits for the thread to end; the connection stays open.
    void stop();

private:
    SessionBusThread() = default;
    void run();

    CHandle<sd_bus, sd_bus_flush_close_unref> m_bus;
    UniqueFd m_wake;
    std::atomic<bool> m_stopping {false};
    std::optional<Deadline> m_deadline;
    std::function<void()> m_deadlineHandler;
    std::thread m_thread;
};

} // namespace tarn::input
