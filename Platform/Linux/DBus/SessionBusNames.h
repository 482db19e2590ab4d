#pragma once

// Well-known names on the user's session bus: whether a name has an owner, which process owns
// it, and claims of names for this program. One connection, opened on first use and again after
// it broke; calls are serialised and wait at most two seconds for the bus. A name claimed here is
// held as long as this object lives.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tarn {

class SessionBusNames {
public:
    SessionBusNames();
    ~SessionBusNames();
    SessionBusNames(const SessionBusNames&) = delete;
    SessionBusNames& operator=(const SessionBusNames&) = delete;

    // False as well when the bus cannot be reached.
    bool hasOwner(const std::string& name);
    std::optional<std::int32_t> ownerProcess(const std::string& name);
    // False when the name is taken already, is no valid bus name, or the bus cannot be reached.
    bool claim(const std::string& name);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn
