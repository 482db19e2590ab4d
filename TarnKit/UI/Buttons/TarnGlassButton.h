#pragma once

// A push button in the kit's glass look (TarnGlassButtonStyle). `active` marks the selected one
// of a group, such as the current tab of a segmented row. It starts in the style's font; a caller
// may give it another (setFont), which it then measures and draws with.

#include <string>

#include <QPushButton>

#include "TarnKit/UI/Buttons/TarnGlassButtonStyle.h"

namespace tarn {

class TarnGlassButton : public QPushButton {
    Q_OBJECT

public:
    explicit TarnGlassButton(const QString& text = {}, QWidget* parent = nullptr);

    bool isActive() const { return m_style.isActive(); }
    void setActive(bool active);

    // A symbol shown before the text; none when empty.
    void setSymbol(std::string symbol);
    const std::string& symbol() const { return m_symbol; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    std::string m_symbol;
    TarnGlassButtonStyle m_style;
};

} // namespace tarn
