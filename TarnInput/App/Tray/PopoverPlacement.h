#pragma once

// Where the tray popover opens: centred under (or, for an icon in the lower half of the screen,
// over) the tray icon, or at the pointer when the tray gives no icon geometry, and always wholly
// on the screen.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tarn::input {

// `anchor` is the icon's rectangle (a point-sized one at the pointer); `screen` the available
// area of the screen that holds it.
QPoint popoverPosition(const QRect& anchor, const QSize& popover, const QRect& screen);

} // namespace tarn::input
