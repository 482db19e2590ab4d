#pragma once

// The square mark that identifies an application of the family in its chrome: an application's
// emblem, or the maker's own vector mark (three angular pieces in a silver gradient with a
// diagonal sheen). The choice is made on every paint.

#include <QRectF>
#include <QWidget>

#include "TarnKit/UI/Brand/TarnBrandMarkStyle.h"

namespace tarn {

class TarnBrandMark : public QWidget {
    Q_OBJECT

public:
    TarnBrandMark(double size, TarnBrandMarkStyle style, QWidget* parent = nullptr);

    double markSize() const { return m_size; }
    const TarnBrandMarkStyle& style() const { return m_style; }

    // Whether the next paint shows the vector mark rather than an emblem: always for the suite
    // style, for the current-application style when the family catalog does not know the
    // running program.
    bool showsVectorMark() const;

    // The vector mark scaled from its 64-unit box onto `rect` (each axis on its own).
    static void paintVectorMark(QPainter& painter, const QRectF& rect);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_size;
    TarnBrandMarkStyle m_style;
};

} // namespace tarn
