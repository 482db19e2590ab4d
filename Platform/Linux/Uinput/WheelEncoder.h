#pragma once

// Turns wheel amounts in lines (fractions allowed) into what a wheel device sends: high-resolution
// units (120 a detent) on every change, and legacy detents that keep the total within half a
// detent of it, so programs reading either axis scroll the same distance.

#include <cstdint>

namespace tarn::input {

struct WheelOutput {
    std::int32_t hiRes = 0;
    std::int32_t detents = 0;
    bool operator==(const WheelOutput&) const = default;
};

class WheelEncoder {
public:
    WheelOutput encode(double lines);
    void reset();

private:
    double m_hiResRemainder = 0;
    std::int32_t m_detentRemainder = 0;
};

} // namespace tarn::input
