#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

#include <cmath>

namespace tarn {

bool SuiteFreshness::isFresh(
    WallTime timestamp, std::int32_t senderPID, WallTime now, double maxAgeSeconds, const ProcessProbe& probe)
{
    return isWithinAge(timestamp, now, maxAgeSeconds) && isSenderAlive(senderPID, probe);
}

bool SuiteFreshness::isWithinAge(WallTime timestamp, WallTime now, double maxAgeSeconds)
{
    const auto stamped = timestamp.time_since_epoch().count();
    const auto current = now.time_since_epoch().count();
    // Exact in ticks, so that a record exactly at the limit passes; only times centuries apart
    // (which a file may claim) overflow, and for those the doubles' rounding cannot matter.
    WallTime::rep ticks = 0;
    const double difference = __builtin_sub_overflow(stamped, current, &ticks)
        ? static_cast<double>(stamped) - static_cast<double>(current)
        : static_cast<double>(ticks);
    // Divided, not multiplied by a rounded tick length, so whole seconds come out exact.
    const double seconds = difference * WallTime::period::num / WallTime::period::den;
    return std::fabs(seconds) <= maxAgeSeconds;
}

bool SuiteFreshness::isSenderAlive(std::int32_t senderPID, const ProcessProbe& probe)
{
    return senderPID > 0 && probe.isAlive(senderPID);
}

} // namespace tarn
