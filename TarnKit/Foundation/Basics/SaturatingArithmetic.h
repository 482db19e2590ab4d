#pragma once

// Integer arithmetic that stops at the type's limits instead of wrapping (which for signed types
// is undefined): for sums of figures read from files, where only a corrupt file reaches a limit
// and the program must carry on.

#include <concepts>
#include <limits>

namespace tarn {

template <std::integral T> constexpr T saturatingAdd(T lhs, T rhs)
{
    T sum {};
    if (!__builtin_add_overflow(lhs, rhs, &sum)) {
        return sum;
    }
    return rhs > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
}

template <std::integral T> constexpr T saturatingMultiply(T lhs, T rhs)
{
    T product {};
    if (!__builtin_mul_overflow(lhs, rhs, &product)) {
        return product;
    }
    return (lhs < 0) == (rhs < 0) ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
}

} // namespace tarn
