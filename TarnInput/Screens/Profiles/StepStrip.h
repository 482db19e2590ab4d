#pragma once

// A row of macro step chips that scrolls sideways without scroll bars and is always exactly as
// tall as its chips. A chip is shown the moment it is appended: a child added to a widget on
// screen stays hidden until it is shown, and a row laid out meanwhile would be an empty row's
// height, squeezing every chip to a sliver. Each change asks the strip's column for a new height.

#include <QScrollArea>

class QHBoxLayout;

namespace tarn::input {

class StepStrip : public QScrollArea {
    Q_OBJECT

public:
    // Items `spacing` apart with `verticalPadding` above and below them, from the leading edge.
    StepStrip(int spacing, int verticalPadding, QWidget* parent = nullptr);

    // Takes every item out; they are deleted once control is back in the event loop, so the
    // click of a chip's own button may empty the strip.
    void clear();
    // Appends a chip (or an arrow between chips) and shows it; the strip takes ownership.
    void append(QWidget* item);

    QSize sizeHint() const override;
    // As tall as the chips, as narrow as asked: the rest scrolls.
    QSize minimumSizeHint() const override;

private:
    QHBoxLayout* m_row;
};

} // namespace tarn::input
