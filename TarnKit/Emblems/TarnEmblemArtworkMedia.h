#pragma once

// The emblems of the catalog rows with indices 27 to 42, the media applications, but for index
// 30, which the renderer draws itself from the shared display frame.

#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"

namespace tarn {

class TarnEmblemCanvas;

class TarnEmblemArtworkMedia {
public:
    TarnEmblemArtworkMedia() = delete;

    // Draws the emblem of a row of this family and answers true; for any other row it draws
    // nothing and answers false.
    static bool draw(TarnAppIdentity identity, TarnEmblemCanvas& canvas);
};

} // namespace tarn
