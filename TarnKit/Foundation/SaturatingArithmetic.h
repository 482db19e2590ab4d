#pragma once

// Signed 64-bit sums and products that stop at the type's limits instead of overflowing. Byte
// counts read from files that other programs write can be anything; adding them up must neither
// be undefined nor wrap around to a negative size.

#include <cstdint>
#include <limits>

namespace tarn {

constexpr std::int64_t saturatingAdd(std::int64_t left, std::int64_t right)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(left, right, &sum)) {
        return right > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    }
    return sum;
}

constexpr std::int64_t saturatingMultiply(std::int64_t left, std::int64_t right)
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(left, right, &product)) {
        return (left < 0) == (right < 0) ? std::numeric_limits<std::int64_t>::max()
                                         : std::numeric_limits<std::int64_t>::min();
    }
    return product;
}

} // namespace tarn
