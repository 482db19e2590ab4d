#pragma once

// A stand-in for a desktop's service on the session bus of dbus-run-session: a connection of its
// own whose thread answers the calls to the objects the test adds. The test reaches the
// connection only through withBus(), between two turns of the thread.

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include <systemd/sd-bus.h>

#include "Platform/Linux/Wayland/SessionBusThread.h"

#include <poll.h>

namespace tarn::input {

class FakeBusService {
public:
    FakeBusService()
    {
        sd_bus* bus = nullptr;
        if (sd_bus_open_user(&bus) >= 0) {
            m_bus.reset(bus);
            m_thread = std::thread([this] { run(); });
        }
    }
    ~FakeBusService()
    {
        m_stopping = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        m_slots.clear();
    }
    FakeBusService(const FakeBusService&) = delete;
    FakeBusService& operator=(const FakeBusService&) = delete;

    bool connected() const { return m_bus != nullptr; }

    template <typename Action> auto withBus(Action action)
    {
        std::lock_guard lock(m_mutex);
        return action(m_bus.get());
    }

    bool claim(const char* name)
    {
        return withBus([&](sd_bus* bus) { return sd_bus_request_name(bus, name, 0) >= 0; });
    }
    void release(const char* name)
    {
        withBus([&](sd_bus* bus) { sd_bus_release_name(bus, name); });
    }
    bool addObject(const char* path, const char* interface, const sd_bus_vtable* vtable, void* data)
    {
        return withBus([&](sd_bus* bus) {
            sd_bus_slot* slot = nullptr;
            const bool added = sd_bus_add_object_vtable(bus, &slot, path, interface, vtable, data) >= 0;
            m_slots.emplace_back(slot);
            return added;
        });
    }

private:
    // Tests may poll: a fake's thread checks for work every few milliseconds.
    void run()
    {
        while (!m_stopping) {
            int fd = -1;
            short events = 0;
            {
                std::lock_guard lock(m_mutex);
                while (sd_bus_process(m_bus.get(), nullptr) > 0) { }
                fd = sd_bus_get_fd(m_bus.get());
                events = static_cast<short>(sd_bus_get_events(m_bus.get()));
            }
            pollfd ready {fd, events, 0};
            ::poll(&ready, 1, 10);
        }
    }

    CHandle<sd_bus, sd_bus_flush_close_unref> m_bus;
    std::mutex m_mutex;
    std::vector<SdBusSlot> m_slots;
    std::atomic<bool> m_stopping {false};
    std::thread m_thread;
};

} // namespace tarn::input
