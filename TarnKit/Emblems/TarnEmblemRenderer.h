#pragma once

// The one entry point to the family's emblems: draws an application's emblem in the 100 × 100
// design space, and renders it into images (cached) and PNG data. The design point (50, 50) lands
// on the image centre, design y grows down the picture, and 60 design units cover 88% of the
// image side. Images are always drawn in the white-glass tone.
//
// Thread-safe: the cache has its own lock, and each render paints on an image of its own.

#include <cstddef>
#include <memory>
#include <string>

#include <QByteArray>
#include <QImage>

#include "TarnKit/Emblems/TarnEmblemImage.h"
#include "TarnKit/Emblems/TarnEmblemTone.h"
#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"

class QPainter;

namespace tarn {

class TarnEmblemRenderer {
public:
    TarnEmblemRenderer() = delete;

    static constexpr std::size_t kCacheLimit = 256;
    // Larger requests are refused: an image of this side already takes 256 MiB.
    static constexpr int kMaxPixelSize = 8192;

    // Draws into `painter`, already set to the design space. True when the application has a
    // drawing, which every row of the catalog has.
    static bool drawFlatEmblem(TarnAppIdentity identity, QPainter& painter, const TarnEmblemTone& tone);

    // The emblem as an image of at least 10 × 10 points at `scale` (1 to 3) device pixels per
    // point, at least 16 pixels; the same request returns the same cached image.
    static std::shared_ptr<const TarnEmblemImage> image(
        TarnAppIdentity identity, double pointSize, double scale, bool asTemplate);
    // PNG bytes of the emblem at exactly `pixelSize` pixels; empty when the size is not positive,
    // too large, or encoding fails. Never cached.
    static QByteArray pngData(TarnAppIdentity identity, int pixelSize);

    // The pixel size `image` renders for a request, and its cache key ("tarninput_64_glass").
    static int pixelSize(double pointSize, double scale);
    static std::string cacheKey(TarnAppIdentity identity, int pixelSize, bool asTemplate);

    // The emblem on a transparent square of `pixelSize` pixels; images and PNG data always use
    // white glass, other tones are for pictures of the artwork. Null when the size is refused.
    static QImage render(
        TarnAppIdentity identity, int pixelSize, const TarnEmblemTone& tone = TarnEmblemTone::whiteGlass());
};

} // namespace tarn
