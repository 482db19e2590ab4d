#pragma once

// The frame of every studio screen: a vertical scroll view around one leading column of cards,
// 18 apart and padded 22, starting at the top each time the screen is built.

#include <QScrollArea>

class QVBoxLayout;

namespace tarn::input {

class ScreenPage : public QScrollArea {
    Q_OBJECT

public:
    explicit ScreenPage(QWidget* parent = nullptr);

    // Appends a section (the page takes ownership).
    void addSection(QWidget* section);
    QVBoxLayout* column() const { return m_column; }

private:
    QVBoxLayout* m_column;
};

} // namespace tarn::input
