#include "TarnKit/UI/Glass/TarnHexColor.h"

#include <algorithm>
#include <cmath>

namespace tarn {

QColor tarnColorFromHex(quint32 hex, double opacity)
{
    const double alpha = std::isnan(opacity) ? 0.0 : std::clamp(opacity, 0.0, 1.0);
    QColor color(
        static_cast<int>((hex >> 16) & 0xFFU), static_cast<int>((hex >> 8) & 0xFFU), static_cast<int>(hex & 0xFFU));
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace tarn
