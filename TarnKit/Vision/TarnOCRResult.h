#pragma once

// Recognised text, one entry per line, with boxes in normalised image coordinates (0…1 on both
// axes, origin at the bottom left) and the recogniser's confidence 0…1.

#include <string>
#include <vector>

namespace tarn {

struct TarnNormalizedRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool operator==(const TarnNormalizedRect&) const = default;
};

struct TarnOCRLine {
    std::string text;
    TarnNormalizedRect boundingBox;
    float confidence = 0;
    bool operator==(const TarnOCRLine&) const = default;
};

struct TarnOCRResult {
    std::vector<TarnOCRLine> lines;

    // Every line's text joined with a line feed, none at the end.
    std::string fullText() const;
    bool operator==(const TarnOCRResult&) const = default;
};

} // namespace tarn
