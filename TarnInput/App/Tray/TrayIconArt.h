#pragma once

// The tray icon's picture, drawn here rather than taken from an icon theme so it reads the same
// on every panel: a mouse, dark inside a light outline while the tap is off and light while it
// runs, with a small keyboard beside it while the key HUD is on. Light strokes with a dark rim and
// a contrasting fill, for light and dark panels alike.

#include <QIcon>
#include <QImage>

namespace tarn::input {

struct TrayIconState {
    bool tapActive = false;
    bool keyHUDEnabled = false;
    bool operator==(const TrayIconState&) const = default;
};

class TrayIconArt {
public:
    TrayIconArt() = delete;

    static QImage image(TrayIconState state, int side);
    // The picture at the sizes panels ask for.
    static QIcon icon(TrayIconState state);
};

} // namespace tarn::input
