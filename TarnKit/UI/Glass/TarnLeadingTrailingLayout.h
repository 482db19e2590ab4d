#pragma once

// A row of two items: the first at the leading edge and the second at the trailing edge, on one
// line while both fit at their ideal widths; otherwise the second moves onto a line of its own
// under the first, still at the trailing edge, where an item wider than the line shrinks to it.
// Each item is centred vertically on its line. In a right-to-left layout the edges are mirrored.
// The sheets use it for a card's title and its controls, so that a narrow sheet or a long
// translation wraps the controls instead of pushing them out of sight.

#include <vector>

#include <QLayout>

namespace tarn {

class TarnLeadingTrailingLayout : public QLayout {
    Q_OBJECT

public:
    // `spacing` is the least room between the two on one line, `lineSpacing` the room between
    // the lines once wrapped.
    TarnLeadingTrailingLayout(int spacing, int lineSpacing, QWidget* parent = nullptr);
    ~TarnLeadingTrailingLayout() override;

    // The first widget added leads, the second trails; later ones are not laid out.
    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

    // Whether the trailing item has a line of its own at this width (margins included).
    bool wrapsAt(int width) const;

private:
    struct Placement {
        QRect leading;
        QRect trailing;
        int height = 0;
    };

    QLayoutItem* leading() const;
    QLayoutItem* trailing() const;
    // Left-to-right, within a content area of `width` starting at (0, 0).
    Placement placeWithin(int width) const;

    std::vector<QLayoutItem*> m_items;
    int m_lineSpacing;
};

} // namespace tarn
