#pragma once
// Shows the first of its widgets whose ideal width fits the width it is given, measured along
// the horizontal axis only, and hides the others; the last one is shown when none fits.
#include <vector>

#include <QLayout>

namespace tarn {

class TarnFitsFirstLayout final : public QLayout {
public:
    explicit TarnFitsFirstLayout(QWidget* parent = nullptr);
    ~TarnFitsFirstLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;
    // The item shown at `width`; none when the layout is empty.
    int chosenAt(int width) const;
    // The item shown since the last layout pass; none before it.
    int chosen() const { return m_chosen; }

private:
    std::vector<QLayoutItem*> m_items;
    int m_chosen = -1;
};

} // namespace tarn
