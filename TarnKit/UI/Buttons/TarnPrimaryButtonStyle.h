#pragma once

// The look of the kit's bright primary button: one line of 13 px semibold text in black at 0.9,
// padded 14 x 7, on a continuous rounded rectangle of radius 9 filled with white at 0.96. Pressed,
// the fill drops to 0.82 and the button shrinks to 98 % about its centre; TarnPrimaryButton eases
// between the two over 0.12 s. `pressAmount` is that progress: 0 at rest, 1 fully pressed.

#include <string_view>

#include <QColor>
#include <QEasingCurve>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QFontMetricsF;
class QPainter;

namespace tarn {

class TarnPrimaryButtonStyle {
public:
    static constexpr double kFontSize = 13.0;
    static constexpr double kHorizontalPadding = 14.0;
    static constexpr double kVerticalPadding = 7.0;
    static constexpr double kCornerRadius = 9.0;
    static constexpr double kRestingFillOpacity = 0.96;
    static constexpr double kPressedFillOpacity = 0.82;
    static constexpr double kPressedScale = 0.98;
    static constexpr double kTextOpacity = 0.9;
    static constexpr int kPressDurationMs = 120;

    static QFont font();
    static QColor textColor();
    static QColor fill(double pressAmount);
    static double scale(double pressAmount);
    // Ease-out: cubic Bézier (0, 0), (0.58, 1).
    static QEasingCurve pressCurve();

    // With a symbol, the label is the symbol before the text.
    static QSizeF idealSize(const QFontMetricsF& metrics, const QString& label, std::string_view symbol = {});
    // `metrics` must belong to font(), measured on the painted device.
    static void paint(QPainter& painter, const QRectF& bounds, const QString& label, const QFontMetricsF& metrics,
        double pressAmount, std::string_view symbol = {});
};

} // namespace tarn
