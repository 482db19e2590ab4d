#include "TarnInputCore/Engine/Rules/DoubleClickDebounceGuard.h"

namespace tarn::input {

bool DoubleClickDebounceGuard::shouldBlockBounce(std::int64_t buttonNumber, EngineTime now, Milliseconds threshold)
{
    if (buttonNumber < 0 || buttonNumber >= static_cast<std::int64_t>(kTrackedButtons)) {
        return false;
    }
    auto& lastAccepted = m_lastAcceptedDown[static_cast<std::size_t>(buttonNumber)];
    if (lastAccepted) {
        const double interval = std::chrono::duration_cast<Milliseconds>(now - *lastAccepted).count();
        m_lastIntervalMs = interval;
        double limit = threshold.count();
        if (limit <= kMinimumThreshold.count()) {
            limit = kMinimumThreshold.count();
        } else if (limit > kMaximumThreshold.count()) {
            limit = kMaximumThreshold.count();
        }
        if (interval >= 0 && interval < limit) {
            ++m_blockedCount;
            return true;
        }
    }
    lastAccepted = now;
    return false;
}

void DoubleClickDebounceGuard::reset()
{
    m_lastAcceptedDown = {};
    m_blockedCount = 0;
    m_lastIntervalMs.reset();
}

} // namespace tarn::input
