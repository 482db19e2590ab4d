#pragma once

// The sheet's prominent action (Send, Done): one line of 12 px semibold white text padded 14 x 7
// on a continuous rounded rectangle filled with a tint colour. Disabled, the whole button is drawn
// faded; pressed, the fill darkens. While busy a small spinning ring leads the text.

#include <QColor>
#include <QPushButton>

class QVariantAnimation;

namespace tarn {

class TarnTintedProminentButton : public QPushButton {
    Q_OBJECT

public:
    static constexpr double kHorizontalPadding = 14.0;
    static constexpr double kVerticalPadding = 7.0;
    static constexpr double kSpacing = 6.0;
    static constexpr double kCornerRadius = 7.0;
    static constexpr double kDisabledOpacity = 0.45;

    TarnTintedProminentButton(const QString& text, QColor tint, QWidget* parent = nullptr);

    const QColor& tint() const { return m_tint; }
    bool isBusy() const { return m_busy; }
    // Shows or hides the progress ring; the ring turns only while it is shown.
    void setBusy(bool busy);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double ringSide() const;

    QColor m_tint;
    bool m_busy = false;
    QVariantAnimation* m_spin;
};

} // namespace tarn
