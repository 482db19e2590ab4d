#pragma once

// A push button in the kit's primary look (TarnPrimaryButtonStyle). Pressing and releasing ease
// the press amount towards 1 or 0 over 0.12 s.

#include <string>

#include <QPushButton>

class QVariantAnimation;

namespace tarn {

class TarnPrimaryButton : public QPushButton {
    Q_OBJECT

public:
    explicit TarnPrimaryButton(const QString& text = {}, QWidget* parent = nullptr);

    // 0 at rest, 1 fully pressed; between the two while the press animates.
    double pressAmount() const { return m_pressAmount; }

    // A symbol shown before the text; none when empty.
    void setSymbol(std::string symbol);
    const std::string& symbol() const { return m_symbol; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    std::string m_symbol;
    void onPressed();
    void onReleased();
    void onPressAnimationValueChanged(const QVariant& value);
    void animatePressTo(double target);

    double m_pressAmount = 0.0;
    QVariantAnimation* m_pressAnimation;
};

} // namespace tarn
