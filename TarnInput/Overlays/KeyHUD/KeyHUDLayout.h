#pragma once

// The key HUD's numbers: how many keys it shows, how large it is, where it stands on a screen and
// how long it stays after the last key.

#include <chrono>
#include <cstddef>

#include <QPoint>
#include <QRect>
#include <QSize>

#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"

namespace tarn::input {

class KeyHUDLayout {
public:
    KeyHUDLayout() = delete;

    static constexpr std::size_t kMaxTokens = 4;
    static constexpr int kHeight = 64;
    // Distance from the edges of the screen's free area.
    static constexpr int kMargin = 34;
    static constexpr double kShortestDurationSeconds = 0.6;
    // The fade-duration slider's maximum.
    static constexpr double kLongestDurationSeconds = 4.0;

    // 144, 252, 360 and 468 for one to four keys.
    static int width(std::size_t tokenCount);
    static QSize size(std::size_t tokenCount);
    // Keys named in words may need more room than their count gives them: the window grows to
    // `naturalWidth`, the width that shows every key whole, but stays inside the margins of a
    // screen's free area `availableWidth` wide (where the keys share what there is).
    static QSize size(std::size_t tokenCount, int naturalWidth, int availableWidth);

    // How long the HUD stays after its last key: the setting, at least 0.6 s. The setting comes
    // from the settings file unchecked, so a value that is not a finite number counts as 0.6 s
    // and one above 4.0 s as 4.0 s: no timer overflows and no HUD stays for ever.
    static std::chrono::milliseconds hideDelay(double durationSeconds);

    // The top-left corner of a HUD of `size` at `anchor` inside a screen's free area.
    static QPoint origin(QSize size, KeyHUDPosition anchor, const QRect& availableGeometry);
};

} // namespace tarn::input
