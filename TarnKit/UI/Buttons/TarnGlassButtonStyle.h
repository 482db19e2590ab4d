#pragma once

// The look of the kit's translucent secondary button: one line of 12.5 px medium text in
// textPrimary, padded 11 x 6, on a continuous rounded rectangle of radius 8 filled with surface2
// (surface3 when active) and bordered inside with borderSubtle (borderStrong when active). While
// pressed the whole button is drawn at opacity 0.78, without animation. The rounded rectangle is
// also the hit area. TarnGlassButton is the widget that wears it.

#include <string_view>

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QFontMetricsF;
class QPainter;

namespace tarn {

class TarnGlassButtonStyle {
public:
    static constexpr double kFontSize = 12.5;
    static constexpr double kHorizontalPadding = 11.0;
    static constexpr double kVerticalPadding = 6.0;
    static constexpr double kCornerRadius = 8.0;
    static constexpr double kPressedOpacity = 0.78;

    explicit TarnGlassButtonStyle(bool isActive = false)
        : m_isActive(isActive)
    {
    }

    bool isActive() const { return m_isActive; }

    static QFont font();
    QColor fill() const;
    QColor border() const;
    static QColor textColor();

    // The padded size of the label's one line.
    // With a symbol, the label is the symbol before the text.
    static QSizeF idealSize(const QFontMetricsF& metrics, const QString& label, std::string_view symbol = {});
    static QPainterPath hitShape(const QRectF& bounds);
    // `metrics` must belong to `labelFont`, measured on the painted device.
    void paint(QPainter& painter, const QRectF& bounds, const QString& label, const QFontMetricsF& metrics,
        bool pressed, std::string_view symbol = {}, const QFont& labelFont = font()) const;

private:
    bool m_isActive;
};

} // namespace tarn
