#include "Platform/Linux/DBus/SessionBusNames.h"

#include <mutex>

#include <systemd/sd-bus.h>

#include "TarnKit/Foundation/Files/CHandle.h"

namespace tarn {
namespace {

using Bus = CHandle<sd_bus, sd_bus_flush_close_unref>;
using Message = CHandle<sd_bus_message, sd_bus_message_unref>;

constexpr std::uint64_t kCallTimeoutMicroseconds = 2'000'000;

// Frees an error's texts on every path.
struct BusError {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    ~BusError() { sd_bus_error_free(&error); }
};

} // namespace

struct SessionBusNames::Impl {
    std::mutex mutex;
    Bus bus;

    sd_bus* connection()
    {
        if (bus && sd_bus_is_open(bus.get()) > 0) {
            return bus.get();
        }
        sd_bus* opened = nullptr;
        if (sd_bus_open_user(&opened) < 0) {
            bus.reset();
            return nullptr;
        }
        bus.reset(opened);
        sd_bus_set_method_call_timeout(opened, kCallTimeoutMicroseconds);
        return opened;
    }

    // A call to the bus itself, with one string argument.
    Message callBus(const char* method, const std::string& name)
    {
        sd_bus* connection = this->connection();
        if (connection == nullptr) {
            return nullptr;
        }
        BusError error;
        sd_bus_message* reply = nullptr;
        const int result = sd_bus_call_method(connection, "org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus", method, &error.error, &reply, "s", name.c_str());
        // Nothing reads this connection otherwise: what arrived meanwhile (the bus's own signals
        // about our names) is read and dropped, so that it cannot pile up.
        while (sd_bus_process(connection, nullptr) > 0) { }
        return result >= 0 ? Message(reply) : nullptr;
    }
};

SessionBusNames::SessionBusNames()
    : m_impl(std::make_unique<Impl>())
{
}

SessionBusNames::~SessionBusNames() = default;

bool SessionBusNames::hasOwner(const std::string& name)
{
    std::lock_guard lock(m_impl->mutex);
    const Message reply = m_impl->callBus("NameHasOwner", name);
    int owned = 0;
    return reply && sd_bus_message_read(reply.get(), "b", &owned) >= 0 && owned != 0;
}

std::optional<std::int32_t> SessionBusNames::ownerProcess(const std::string& name)
{
    std::lock_guard lock(m_impl->mutex);
    const Message reply = m_impl->callBus("GetConnectionUnixProcessID", name);
    std::uint32_t process = 0;
    if (!reply || sd_bus_message_read(reply.get(), "u", &process) < 0 || process == 0 || process > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(process);
}

bool SessionBusNames::claim(const std::string& name)
{
    std::lock_guard lock(m_impl->mutex);
    sd_bus* connection = m_impl->connection();
    return connection != nullptr && sd_bus_request_name(connection, name.c_str(), 0) >= 0;
}

} // namespace tarn
