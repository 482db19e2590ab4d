#pragma once

// The image on the desktop's clipboard, as PNG bytes: PNG data taken unchanged when the clipboard
// offers it, any other image re-encoded as PNG. Read on the interface thread.

#include <cstdint>
#include <optional>
#include <vector>

namespace tarn {

class ClipboardImageSource {
public:
    virtual ~ClipboardImageSource() = default;

    // None when the clipboard holds no image that can be made into PNG.
    virtual std::optional<std::vector<std::uint8_t>> pngImage() const = 0;
};

} // namespace tarn
