#pragma once

// A one-line label that cuts a text too wide for it with "…" at the end, and shows the whole
// text as its hover help when it does.

#include "TarnKit/UI/Text/TarnTextLabel.h"

namespace tarn::input {

class ElidedLabel : public TarnTextLabel {
    Q_OBJECT

public:
    using TarnTextLabel::TarnTextLabel;

    void setFullText(const QString& text);
    QString fullText() const { return m_fullText; }
    // As wide as the whole text: a layout with room shows it uncut.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showFitted();

    QString m_fullText;
};

} // namespace tarn::input
