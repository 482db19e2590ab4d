#include "TarnKit/Emblems/TarnEmblemTone.h"

#include <algorithm>

namespace tarn {

namespace {

// The alpha replaces the colour's own; it does not multiply it.
QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return color;
}

} // namespace

const TarnEmblemTone& TarnEmblemTone::whiteGlass()
{
    static const TarnEmblemTone tone {
        QColor::fromRgbF(1.0F, 1.0F, 1.0F, 0.98F), QColor::fromRgbF(1.0F, 1.0F, 1.0F, 0.72F), true};
    return tone;
}

TarnEmblemTone TarnEmblemTone::flatLight(const QColor& primary, const QColor& accent)
{
    return {primary, accent, false};
}

QColor TarnEmblemTone::paper(double alpha)
{
    return QColor::fromRgbF(238.0F / 255.0F, 241.0F / 255.0F, 247.0F / 255.0F, static_cast<float>(alpha));
}

TarnFlatPaint TarnEmblemTone::primary() const
{
    return TarnFlatPaint::color(primaryColor);
}

TarnFlatPaint TarnEmblemTone::accent() const
{
    return TarnFlatPaint::color(accentColor);
}

TarnFlatPaint TarnEmblemTone::mid() const
{
    return primaryAlpha(0.46);
}

TarnFlatPaint TarnEmblemTone::soft() const
{
    return primaryAlpha(isWhiteGlass ? 0.16 : 0.11);
}

TarnFlatPaint TarnEmblemTone::stroke() const
{
    return primaryAlpha(isWhiteGlass ? 0.42 : 0.28);
}

TarnFlatPaint TarnEmblemTone::primaryAlpha(double alpha) const
{
    return TarnFlatPaint::color(withAlpha(primaryColor, alpha));
}

TarnFlatPaint TarnEmblemTone::accentAlpha(double alpha) const
{
    return TarnFlatPaint::color(withAlpha(accentColor, alpha));
}

TarnFlatPaint TarnEmblemTone::onPrimaryAccent() const
{
    return isWhiteGlass ? TarnFlatPaint::cutout(0.86) : accent();
}

TarnFlatPaint TarnEmblemTone::cutout(double alpha) const
{
    return isWhiteGlass ? TarnFlatPaint::cutout(std::min(std::max(alpha * 1.15, 0.55), 1.0))
                        : TarnFlatPaint::color(paper(alpha));
}

TarnFlatPaint TarnEmblemTone::highlight() const
{
    return isWhiteGlass ? primary() : accent();
}

} // namespace tarn
