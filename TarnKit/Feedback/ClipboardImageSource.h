#pragma once

// The image on the desktop's clipboard, as PNG bytes: PNG data taken unchanged when the clipboard
// offers it, any other image re-encoded as PNG. Read on the interface thread, from an owner that is
// another program: a source holds no more of an offer than the caller allows (a larger one is
// refused as soon as its size is known) and waits for the owner only briefly (an owner that does
// not answer in time counts as no image).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

class ClipboardImageSource {
public:
    enum class Refusal {
        noImage,
        // The offer is larger than the caller's limit; it was not read whole.
        tooLarge,
    };

    virtual ~ClipboardImageSource() = default;

    virtual Result<std::vector<std::uint8_t>, Refusal> pngImage(std::size_t maxBytes) const = 0;
};

} // namespace tarn
