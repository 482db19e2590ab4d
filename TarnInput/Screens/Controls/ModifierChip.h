#pragma once

// A small toggle naming one modifier key: filled with the accent while on, a quiet plate while
// off. Pressing it flips its checked state.

#include <QAbstractButton>
#include <QColor>

namespace tarn::input {

class ModifierChip : public QAbstractButton {
    Q_OBJECT

public:
    ModifierChip(const QString& name, const QColor& accent, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_accent;
};

} // namespace tarn::input
