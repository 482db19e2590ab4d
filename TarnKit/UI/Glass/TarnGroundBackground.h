#pragma once

// The palette ground that fills a window behind everything: the palette's three stops as a
// diagonal gradient from the top-leading to the bottom-trailing corner, with a soft white glow in
// the top-leading corner. Opaque; put it at the back of a window and lay the content over it.

#include <QWidget>

#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace tarn {

class TarnGroundBackground : public QWidget {
    Q_OBJECT

public:
    explicit TarnGroundBackground(TarnProductPalette palette, QWidget* parent = nullptr);

    TarnProductPalette productPalette() const { return m_palette; }
    void setProductPalette(TarnProductPalette palette);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TarnProductPalette m_palette;
};

} // namespace tarn
