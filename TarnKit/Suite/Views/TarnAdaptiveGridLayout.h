#pragma once
// A grid of as many equal columns as fit at a minimum width, each item stretched to its cell and
// centred in its row; rows as tall as their tallest item.
#include <vector>

#include <QLayout>

namespace tarn {

class TarnAdaptiveGridLayout final : public QLayout {
public:
    TarnAdaptiveGridLayout(
        double minimumColumnWidth, double columnSpacing, double rowSpacing, QWidget* parent = nullptr);
    ~TarnAdaptiveGridLayout() override;

    // Columns that fit `width`: at least one.
    int columnsFor(double width) const;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

private:
    // Lays the items out in `rect`, moving them only when `apply`; returns the height used.
    int arrange(const QRect& rect, bool apply) const;

    double m_minimumColumnWidth;
    double m_columnSpacing;
    double m_rowSpacing;
    std::vector<QLayoutItem*> m_items;
};

} // namespace tarn
