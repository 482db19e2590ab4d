#pragma once

// The click ripple's motion: a ring that grows from 0.3 to full size while it thins and fades,
// over a disc that fades faster. All four values move together on one ease-out curve.
//
//   0 ms        340 ms   380 ms
//   |-- ease-out --|-------|
//   start          end     window removed

#include <chrono>

#include <QColor>

namespace tarn::input {

struct RippleFrame {
    double ringLineWidth = 0;
    double discOpacity = 0;
    // Of ring and disc together, about the centre.
    double scale = 0;
    // Of the whole halo.
    double opacity = 0;

    bool operator==(const RippleFrame&) const = default;
};

class RippleAnimation {
public:
    RippleAnimation() = delete;

    static constexpr std::chrono::milliseconds kDuration {340};
    static constexpr std::chrono::milliseconds kLifetime {380};
    // The window, and the frame the halo is drawn in, centred in it.
    static constexpr int kWindowSide = 68;
    static constexpr double kHaloDiameter = 60.0;

    // Share of the motion done after `elapsed`: 0 at the press, 1 from kDuration on.
    static double progress(std::chrono::nanoseconds elapsed);
    static RippleFrame frameAt(std::chrono::nanoseconds elapsed);

    // The accent of the studio for the left button, the coral accent for the right one.
    static QColor color(bool isRightClick);
};

} // namespace tarn::input
