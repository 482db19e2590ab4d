#pragma once

// The application style of the glass look: Qt's Fusion, which draws every standard control from
// the palette alone (TarnGlassPalette gives it the glass colours), with the kit's keyboard focus
// ring (TarnFocusRing) in place of Fusion's faint focus rectangle, for every control. The texts of
// the standard controls (buttons, check boxes, pickers) read in their own direction also in a
// mirrored window (TarnBidiText).

#include <QProxyStyle>

namespace tarn {

class TarnFocusRing;

class TarnGlassStyle : public QProxyStyle {
    Q_OBJECT

public:
    TarnGlassStyle();

    // The ring the style keeps for the application it polishes; null before.
    TarnFocusRing* focusRing() const { return m_focusRing; }

    void polish(QApplication* application) override;
    void unpolish(QApplication* application) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

    int pixelMetric(
        PixelMetric metric, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
        QStyleHintReturn* returnData = nullptr) const override;
    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
        const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;

private:
    // A child of the style, made when an application is polished.
    TarnFocusRing* m_focusRing = nullptr;
};

} // namespace tarn
