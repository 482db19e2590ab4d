#pragma once

// The eleven fixed colours of the kit's dark glass look: three translucent surfaces, two borders,
// three text levels (all white at an opacity) and three opaque status colours. Each is built once,
// on first use, and every later read returns the same value.

#include <QColor>

namespace tarn {

class TarnGlassTokens {
public:
    TarnGlassTokens() = delete;

    // Card fill, the resting glass surface.
    static const QColor& surface1();
    // Inactive glass button fill, input field fill.
    static const QColor& surface2();
    // Active glass button fill.
    static const QColor& surface3();
    // Border of cards, inactive glass buttons, input fields and toasts.
    static const QColor& borderSubtle();
    // Active glass button border.
    static const QColor& borderStrong();
    static const QColor& textPrimary();
    static const QColor& textSecondary();
    static const QColor& textMuted();
    // #3EE6A8: the toast's success icon and success highlights.
    static const QColor& success();
    // #FFB84D: the toast's error icon and warning highlights.
    static const QColor& warning();
    // #FF647C: error highlights in the screens.
    static const QColor& danger();
};

} // namespace tarn
