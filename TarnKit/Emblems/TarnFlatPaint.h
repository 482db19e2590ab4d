#pragma once

// How one shape of an emblem is painted: in a colour, or as a cut-out that erases a share of what
// the emblem has already drawn beneath it (destination-out).

#include <QColor>

namespace tarn {

class TarnFlatPaint {
public:
    enum class Kind { color, cutout };

    static TarnFlatPaint color(const QColor& color) { return {Kind::color, color, 0.0}; }
    // `alpha` is the share erased, 0 to 1.
    static TarnFlatPaint cutout(double alpha) { return {Kind::cutout, QColor(), alpha}; }

    Kind kind() const { return m_kind; }
    // For `color`.
    const QColor& colorValue() const { return m_color; }
    // For `cutout`.
    double cutoutAlpha() const { return m_alpha; }

    bool operator==(const TarnFlatPaint&) const = default;

private:
    TarnFlatPaint(Kind kind, QColor color, double alpha)
        : m_kind(kind)
        , m_color(color)
        , m_alpha(alpha)
    {
    }

    Kind m_kind;
    QColor m_color;
    double m_alpha;
};

} // namespace tarn
