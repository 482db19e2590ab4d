#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {

namespace {

QColor whiteAt(double opacity)
{
    return QColor::fromRgbF(1.0F, 1.0F, 1.0F, static_cast<float>(opacity));
}

} // namespace

// Function-local statics: built once under the runtime's one-time initialisation, so the first
// read may come from any thread.
const QColor& TarnGlassTokens::surface1()
{
    static const QColor color = whiteAt(0.06);
    return color;
}

const QColor& TarnGlassTokens::surface2()
{
    static const QColor color = whiteAt(0.10);
    return color;
}

const QColor& TarnGlassTokens::surface3()
{
    static const QColor color = whiteAt(0.16);
    return color;
}

const QColor& TarnGlassTokens::borderSubtle()
{
    static const QColor color = whiteAt(0.14);
    return color;
}

const QColor& TarnGlassTokens::borderStrong()
{
    static const QColor color = whiteAt(0.28);
    return color;
}

const QColor& TarnGlassTokens::textPrimary()
{
    static const QColor color = whiteAt(0.96);
    return color;
}

const QColor& TarnGlassTokens::textSecondary()
{
    static const QColor color = whiteAt(0.72);
    return color;
}

const QColor& TarnGlassTokens::textMuted()
{
    static const QColor color = whiteAt(0.50);
    return color;
}

const QColor& TarnGlassTokens::success()
{
    static const QColor color(62, 230, 168);
    return color;
}

const QColor& TarnGlassTokens::warning()
{
    static const QColor color(255, 184, 77);
    return color;
}

const QColor& TarnGlassTokens::danger()
{
    static const QColor color(255, 100, 124);
    return color;
}

} // namespace tarn
