#pragma once

// One topic of the feedback sheet as a chip: the topic's symbol and title, padded 10 x 8 on a
// continuous rounded rectangle of radius 10. Selected, it is filled with surface3 and outlined
// with the accent colour and its symbol takes the accent; otherwise surface1, borderSubtle and a
// secondary symbol. The chip only reports clicks: which chip is selected is the sheet's to say.

#include <QAbstractButton>
#include <QColor>

#include "TarnKit/Feedback/TarnFeedbackKind.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

class TarnFeedbackKindChip : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr double kHorizontalPadding = 10.0;
    static constexpr double kVerticalPadding = 8.0;
    static constexpr double kSpacing = 8.0;
    static constexpr double kCornerRadius = 10.0;
    static constexpr double kSymbolFontSize = 13.0;
    static constexpr double kSelectedBorderOpacity = 0.85;

    TarnFeedbackKindChip(TarnFeedbackKind kind, TarnLanguage language, QColor accent, QWidget* parent = nullptr);

    TarnFeedbackKind kind() const { return m_kind; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont titleFont() const;
    double symbolSide() const;

    TarnFeedbackKind m_kind;
    QColor m_accent;
    bool m_selected = false;
};

} // namespace tarn
