#pragma once

// The emblems of the catalog rows with indices 43 to 74, the system and network applications, this program among them.

#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"

namespace tarn {

class TarnEmblemCanvas;

class TarnEmblemArtworkSystemNet {
public:
    TarnEmblemArtworkSystemNet() = delete;

    // Draws the emblem of a row of this family and answers true; for any other row it draws
    // nothing and answers false.
    static bool draw(TarnAppIdentity identity, TarnEmblemCanvas& canvas);
};

} // namespace tarn
