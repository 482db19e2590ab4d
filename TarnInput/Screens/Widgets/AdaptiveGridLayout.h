#pragma once

// Lays items out in as many equal columns of at least `minimumColumnWidth` as the width allows
// (never fewer than one), row by row in insertion order; each row is as tall as its tallest item.

#include <QLayout>
#include <QList>

namespace tarn::input {

class AdaptiveGridLayout : public QLayout {
public:
    AdaptiveGridLayout(int minimumColumnWidth, int columnSpacing, int rowSpacing, QWidget* parent = nullptr);
    ~AdaptiveGridLayout() override;

    // How many columns fit a width.
    int columnsFor(int width) const;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    int arrange(const QRect& rect, bool apply) const;

    int m_minimumColumnWidth;
    int m_columnSpacing;
    int m_rowSpacing;
    QList<QLayoutItem*> m_items;
};

} // namespace tarn::input
