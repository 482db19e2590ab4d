#pragma once

// A small perceptual description of an image for similarity: the luminance of a 16 × 16 grid,
// normalised to zero mean and unit length, so brightness and contrast changes barely matter.

#include <array>

namespace tarn {

struct TarnFeaturePrint {
    static constexpr int kGrid = 16;
    std::array<float, kGrid * kGrid> values {};

    // 0 for the same picture, up to 2 for opposite ones.
    float distance(const TarnFeaturePrint& other) const;
};

} // namespace tarn
