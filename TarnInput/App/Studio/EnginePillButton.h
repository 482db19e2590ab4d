#pragma once

// The studio header's engine switch: a glass button, highlighted while the engine is enabled,
// showing the tap's status dot before its text. The dot and the highlight follow different
// flags: an enabled engine whose tap cannot run shows a warning dot on a highlighted pill.

#include <QAbstractButton>

namespace tarn::input {

class EnginePillButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr double kSpacing = 6;

    explicit EnginePillButton(QWidget* parent = nullptr);
    void setEngineEnabled(bool enabled);
    void setTapActive(bool active);
    bool isEngineEnabled() const { return m_engineEnabled; }
    bool isTapActive() const { return m_tapActive; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    bool m_engineEnabled = false;
    bool m_tapActive = false;
};

} // namespace tarn::input
