#pragma once

// The clamp the suite records' initialisers share: a real number below 0 becomes 0, and so
// does NaN, which no comparison admits.

#include <concepts>

namespace tarn {

template <std::floating_point T> T nonNegativeOrZero(T value)
{
    return value >= 0 ? value : T {0};
}

} // namespace tarn
