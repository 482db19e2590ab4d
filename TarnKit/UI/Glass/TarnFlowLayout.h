#pragma once

// A layout that sets its items in reading order and starts a new line when the next one does not
// fit. Every item is measured and placed at its ideal size (its size hint); hidden widgets take no
// room. The first item of a line never wraps, however wide it is.
//
// Measuring and placing differ on purpose: measuring wraps as soon as an item would end past the
// proposed width, while placing tolerates half a pixel of overflow, so that a width that was
// measured and then rounded does not push the last item of a line onto a new one.

#include <optional>
#include <vector>

#include <QLayout>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace tarn {

class TarnFlowLayout : public QLayout {
    Q_OBJECT

public:
    explicit TarnFlowLayout(double spacing = 8.0, double lineSpacing = 8.0, QWidget* parent = nullptr);
    ~TarnFlowLayout() override;

    // Distance between neighbours on a line, and between lines.
    double itemSpacing() const { return m_itemSpacing; }
    void setItemSpacing(double spacing);
    double lineSpacing() const { return m_lineSpacing; }
    void setLineSpacing(double spacing);

    // The size asked for with a proposed width; no width counts as infinite. The width is the
    // proposed one when given, otherwise the widest line without trailing spacing.
    static QSizeF measure(
        const std::vector<QSizeF>& itemSizes, std::optional<double> proposedWidth, double spacing, double lineSpacing);
    // The top-left corner of each item within `bounds`.
    static std::vector<QPointF> place(
        const std::vector<QSizeF>& itemSizes, const QRectF& bounds, double spacing, double lineSpacing);

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    std::vector<QLayoutItem*> visibleItems() const;
    static std::vector<QSizeF> idealSizes(const std::vector<QLayoutItem*>& items);
    QSize withMargins(const QSizeF& size) const;

    QList<QLayoutItem*> m_items;
    double m_itemSpacing;
    double m_lineSpacing;
};

} // namespace tarn
