#pragma once

// poll()'s timeout until a deadline on the steady clock: milliseconds, rounded up so that the
// wait never ends before it; 0 once it has passed.

#include <algorithm>
#include <chrono>

namespace tarn::input {

inline int pollTimeoutUntil(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

} // namespace tarn::input
