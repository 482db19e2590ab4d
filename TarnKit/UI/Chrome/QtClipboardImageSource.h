#pragma once

// The desktop clipboard's image: PNG data as it is when the clipboard offers "image/png",
// otherwise another image type Qt can read re-encoded as PNG. Another program's offer is read
// through `foreignOffers` (on X11 a reader that bounds size and time); what this program itself put
// on the clipboard, and every offer when there is no such reader, through Qt's clipboard. Use on
// the interface thread.

#include <chrono>

#include "TarnKit/Feedback/ClipboardImageSource.h"
#include "TarnKit/Feedback/ClipboardOfferReader.h"

namespace tarn {

class QtClipboardImageSource final : public ClipboardImageSource {
public:
    // How long a paste waits for another program; past it, the clipboard counts as holding no image.
    static constexpr std::chrono::milliseconds kPatience {1000};
    // Images larger than this are not re-encoded: decoding and encoding them would hold the
    // interface for seconds, and their PNG would not fit a screenshot's limit anyway.
    static constexpr long long kMaxConvertedPixels = 16'000'000;

    // `foreignOffers` may be null (no bounded reader on this desktop); it must outlive the source.
    explicit QtClipboardImageSource(const ClipboardOfferReader* foreignOffers);

    Result<std::vector<std::uint8_t>, Refusal> pngImage(std::size_t maxBytes) const override;

private:
    Result<std::vector<std::uint8_t>, Refusal> foreignImage(std::size_t maxBytes) const;
    Result<std::vector<std::uint8_t>, Refusal> qtImage(std::size_t maxBytes) const;

    const ClipboardOfferReader* m_foreignOffers;
};

} // namespace tarn
