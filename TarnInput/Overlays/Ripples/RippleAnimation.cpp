#include "TarnInput/Overlays/Ripples/RippleAnimation.h"

#include <algorithm>

#include <QEasingCurve>
#include <QPointF>

#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace tarn::input {

namespace {

constexpr RippleFrame kStart {4.5, 0.22, 0.3, 0.95};
constexpr RippleFrame kEnd {1.5, 0.0, 1.0, 0.0};

// The standard ease-out timing curve: a cubic Bézier through (0, 0), (0, 0), (0.58, 1), (1, 1).
const QEasingCurve& easeOut()
{
    static const QEasingCurve curve = [] {
        QEasingCurve bezier(QEasingCurve::BezierSpline);
        bezier.addCubicBezierSegment(QPointF(0.0, 0.0), QPointF(0.58, 1.0), QPointF(1.0, 1.0));
        return bezier;
    }();
    return curve;
}

double between(double from, double to, double share)
{
    return from + (to - from) * share;
}

} // namespace

double RippleAnimation::progress(std::chrono::nanoseconds elapsed)
{
    const double time = std::chrono::duration<double>(elapsed) / std::chrono::duration<double>(kDuration);
    return easeOut().valueForProgress(std::clamp(time, 0.0, 1.0));
}

RippleFrame RippleAnimation::frameAt(std::chrono::nanoseconds elapsed)
{
    const double share = progress(elapsed);
    return {between(kStart.ringLineWidth, kEnd.ringLineWidth, share),
        between(kStart.discOpacity, kEnd.discOpacity, share), between(kStart.scale, kEnd.scale, share),
        between(kStart.opacity, kEnd.opacity, share)};
}

QColor RippleAnimation::color(bool isRightClick)
{
    return accentColor(isRightClick ? TarnProductPalette::deepCoral : TarnProductPalette::deepAbyss);
}

} // namespace tarn::input
