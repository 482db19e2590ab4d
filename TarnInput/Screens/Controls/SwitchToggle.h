#pragma once

// An on/off switch drawn as a capsule with a sliding knob, filled with the accent while on. Its
// label, when it has one, stands to the left. Only a user's click signals (`clicked`); code that
// shows the model's value uses setChecked under a QSignalBlocker like any button.

#include <QAbstractButton>
#include <QColor>

namespace tarn::input {

class SwitchToggle : public QAbstractButton {
    Q_OBJECT

public:
    enum class Size { small, regular };

    explicit SwitchToggle(QWidget* parent = nullptr);

    void setAccent(const QColor& accent);
    void setControlSize(Size size);
    // The label's colour; textPrimary unless set.
    void setLabelColor(const QColor& color);
    QSize sizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSizeF trackSize() const;

    QColor m_accent;
    QColor m_labelColor;
    Size m_size = Size::regular;
};

} // namespace tarn::input
