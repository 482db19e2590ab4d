#pragma once

// An 8-bit RGBA picture, rows top to bottom, that the vision services read.

#include <cstdint>
#include <vector>

namespace tarn {

struct TarnImage {
    int width = 0;
    int height = 0;
    // width * height * 4 bytes: red, green, blue, alpha.
    std::vector<std::uint8_t> rgba;

    bool isValid() const
    {
        return width > 0 && height > 0 && rgba.size() == static_cast<std::size_t>(width) * height * 4;
    }
    // Luminance 0…1 of one pixel (transparent pixels count as white, as on a page).
    double luminance(int x, int y) const;
};

} // namespace tarn
