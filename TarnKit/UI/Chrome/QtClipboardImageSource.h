#pragma once

// The desktop clipboard's image through Qt: PNG data as it is when the clipboard offers
// "image/png", otherwise any image Qt can read from it (TIFF, BMP, an application's own image)
// re-encoded as PNG. Use on the interface thread.

#include "TarnKit/Feedback/ClipboardImageSource.h"

namespace tarn {

class QtClipboardImageSource final : public ClipboardImageSource {
public:
    std::optional<std::vector<std::uint8_t>> pngImage() const override;
};

} // namespace tarn
