#pragma once

// The emblems of the catalog rows with indices 0 to 26, the productivity applications.

#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"

namespace tarn {

class TarnEmblemCanvas;

class TarnEmblemArtworkProductivity {
public:
    TarnEmblemArtworkProductivity() = delete;

    // Draws the emblem of a row of this family and answers true; for any other row it draws
    // nothing and answers false.
    static bool draw(TarnAppIdentity identity, TarnEmblemCanvas& canvas);
};

} // namespace tarn
