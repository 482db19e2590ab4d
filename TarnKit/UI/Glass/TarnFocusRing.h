#pragma once

// The glass look's keyboard focus ring: a ring in the accent colour (the palette's highlight)
// along the edge of the control that has the keyboard focus. It shows while the user moves the
// focus with the keyboard (Tab, Shift+Tab, a shortcut, the arrow keys inside a group of buttons)
// and goes with the next click in that window, as a browser shows focus. One ring serves the
// whole application: a QFocusFrame over the focused control draws it, so every control, painted
// by the kit, by the application or by Qt, gets the same ring without drawing it itself.
// TarnGlassStyle installs one on the application; it draws the ring through that style.

#include <QObject>
#include <QPointer>
#include <QRectF>

class QColor;
class QFocusFrame;
class QPainter;
class QWidget;

namespace tarn {

class TarnFocusRing : public QObject {
    Q_OBJECT

public:
    // How far the ring's frame reaches beyond the control on each side.
    static constexpr int kMargin = 2;
    // The ring's line is centred on the control's edge: half outside, half over its border, so
    // it shows even where the control's container cuts off what lies outside it.
    static constexpr double kLineWidth = 2.0;

    explicit TarnFocusRing(QObject* parent = nullptr);
    ~TarnFocusRing() override;

    // The control the ring is around, or null when no ring shows.
    QWidget* ringedControl() const;

    // Whether `control`, having the focus, shows the ring: the focus came from the keyboard.
    static bool showsOn(const QWidget& control);
    // The corner radius of the ring around `control`: its "tarnCornerRadius" property when set,
    // else the kit's button radius, rounder for controls too low for it.
    static double cornerRadiusOf(const QWidget& control);
    // Paints the ring within `frame`, the control's rectangle grown by kMargin on each side.
    static void paint(QPainter& painter, const QRectF& frame, double controlRadius, const QColor& accent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QWidget* focused);

    QPointer<QFocusFrame> m_frame;
};

} // namespace tarn
