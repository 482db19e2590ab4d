#pragma once

// One button of the studio's tab strip: the tab's symbol before its label, on a rounded plate
// tinted with the accent while its tab is the selected one. Where the strip is short of room (a
// narrow window, long Turkish labels) the plate gives up some of its padding before the label
// gives up a letter.

#include <string>

#include <QAbstractButton>
#include <QColor>

namespace tarn::input {

class StudioTabButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr double kFontSize = 11;
    static constexpr double kHorizontalPadding = 8;
    static constexpr double kLeastHorizontalPadding = 3;
    static constexpr double kVerticalPadding = 6.5;
    static constexpr double kCornerRadius = 8.5;

    StudioTabButton(std::string symbol, QColor accent, QWidget* parent = nullptr);
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }
    QFont labelFont() const;
    QColor labelColor() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize sizeWithPadding(double horizontalPadding) const;

    std::string m_symbol;
    QColor m_accent;
    bool m_selected = false;
};

} // namespace tarn::input
