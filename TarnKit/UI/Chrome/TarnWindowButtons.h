#pragma once

// The window's own close, minimise and zoom buttons, drawn as three small circles at the top-left
// of a frameless window, where the titlebar metrics expect them.

#include <QAbstractButton>
#include <QWidget>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/Chrome/WindowChrome.h"

namespace tarn {

class TarnWindowButtons : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDiameter = 12;
    static constexpr int kLeading = 14;
    static constexpr int kSpacing = 8;

    // The buttons' hover help and accessible names are in `language`.
    explicit TarnWindowButtons(TarnLanguage language, QWidget* parent = nullptr);

    QAbstractButton* button(WindowButton which) const;
    // Places the row so that the buttons' centres sit `centerY` below the window's top edge.
    void placeInWindow(double centerY);

    QSize sizeHint() const override;

signals:
    void closeRequested();
    void minimizeRequested();
    void zoomRequested();

private:
    QAbstractButton* m_buttons[3];
};

} // namespace tarn
