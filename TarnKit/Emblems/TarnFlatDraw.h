#pragma once

// The shapes several emblems share: a monitor, a page with a folded corner, a shield in two halves.

namespace tarn {

class TarnEmblemCanvas;

class TarnFlatDraw {
public:
    TarnFlatDraw() = delete;

    static void displayFrame(TarnEmblemCanvas& canvas);
    static void foldedSheet(TarnEmblemCanvas& canvas);
    static void splitShield(TarnEmblemCanvas& canvas);
};

} // namespace tarn
