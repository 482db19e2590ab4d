#pragma once

// Time as a port: the monotonic clock for measuring and scheduling, the wall clock for stamps.
// Tests use a fake that only moves when told to.

#include <chrono>

namespace tarn {

using MonotonicTime = std::chrono::steady_clock::time_point;
using WallTime = std::chrono::system_clock::time_point;

class Clock {
public:
    virtual ~Clock() = default;
    virtual MonotonicTime now() const = 0;
    virtual WallTime wallNow() const = 0;
};

class SystemClock final : public Clock {
public:
    static SystemClock& shared();

    MonotonicTime now() const override { return std::chrono::steady_clock::now(); }
    WallTime wallNow() const override { return std::chrono::system_clock::now(); }
};

} // namespace tarn
