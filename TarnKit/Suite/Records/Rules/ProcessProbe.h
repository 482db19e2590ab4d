#pragma once

// Whether a process exists, as a port: the freshness rule asks it about the writer of a record,
// and tests answer for processes that do not exist.

#include <cstdint>

namespace tarn {

class ProcessProbe {
public:
    virtual ~ProcessProbe() = default;
    // Asked only for identifiers greater than 0.
    virtual bool isAlive(std::int32_t pid) const = 0;
};

} // namespace tarn
