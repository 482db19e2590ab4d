#pragma once

// Finds the translation between two gray pictures by phase correlation: the peak of the inverse
// transform of their normalised cross-power spectrum. Pictures are padded to a power of two and
// windowed so their edges do not look like content.

#include <vector>

namespace tarn {

struct GrayPlane {
    int width = 0;
    int height = 0;
    std::vector<double> values; // row-major, top row first

    double at(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
};

class PhaseCorrelation {
public:
    struct Shift {
        int dx = 0; // to the right
        int dy = 0; // downward
    };
    static Shift shift(const GrayPlane& from, const GrayPlane& to);
};

} // namespace tarn
