#pragma once

// A label of plain text that sits where the layout puts its texts. A QLabel aligns a text by the
// text's own direction, so in a mirrored window an English paragraph would start at the left,
// away from its heading on the right; this one aligns by the layout's direction and draws the
// text as an isolate (TarnBidiText), so the text still reads in its own. Rich or selectable text
// is drawn as QLabel draws it.

#include <QLabel>

namespace tarn {

class TarnTextLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool drawsPlainText() const;
};

} // namespace tarn
