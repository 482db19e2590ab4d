#pragma once

// The suite freshness rule: whether a live status or tile read from the suite folder still
// stands for its writer. Every record's isFresh(), the telemetry bus's readers and the memory
// summary ask this one rule, each with its own age limit. A record is fresh when, tested in
// this order:
//   1. its timestamp is at most maxAgeSeconds from now, in either direction (a writer's clock
//      a little ahead counts; exactly the limit passes; a NaN limit passes nothing);
//   2. its senderPID is greater than 0;
//   3. that process exists (the probe; a process of another user counts).

#include <cstdint>

#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"

namespace tarn {

class SuiteFreshness {
public:
    static bool isFresh(
        WallTime timestamp, std::int32_t senderPID, WallTime now, double maxAgeSeconds, const ProcessProbe& probe);

    // Steps 1 and 2-3 on their own.
    static bool isWithinAge(WallTime timestamp, WallTime now, double maxAgeSeconds);
    static bool isSenderAlive(std::int32_t senderPID, const ProcessProbe& probe);
};

} // namespace tarn
