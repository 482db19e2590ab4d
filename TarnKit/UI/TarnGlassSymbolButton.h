#pragma once

// A glass button (TarnGlassButtonStyle's fill, border, shape and pressed opacity) whose label is a
// symbol followed by a text, or the symbol alone, in a font the caller picks (caption in the
// version sheet). The symbol takes the size of the text it stands beside.

#include <string>

#include <QPushButton>

#include "TarnKit/UI/TarnGlassButtonStyle.h"

namespace tarn {

class TarnGlassSymbolButton : public QPushButton {
    Q_OBJECT

public:
    static constexpr double kSpacing = 5.0;

    TarnGlassSymbolButton(std::string symbol, const QString& text, const QFont& font, QWidget* parent = nullptr);

    const std::string& symbol() const { return m_symbol; }

    // The padded size of symbol and text on one line.
    static QSizeF idealSize(const QFontMetricsF& metrics, const QString& text);
    // Draws the glass shape with the symbol and text centred in it.
    static void paintLabelled(QPainter& painter, const QRectF& bounds, const std::string& symbol, const QString& text,
        const QFont& font, const QFontMetricsF& metrics, bool pressed);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    std::string m_symbol;
};

} // namespace tarn
