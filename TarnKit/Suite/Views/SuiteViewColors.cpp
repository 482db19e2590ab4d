#include "TarnKit/Suite/Views/SuiteViewColors.h"

#include <cmath>
#include <limits>

namespace tarn::suiteviews {

QColor withAlpha(const QColor& color, double opacity)
{
    QColor result = color;
    result.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return result;
}

std::int64_t roundedPercent(double percent)
{
    if (std::isnan(percent)) {
        return 0;
    }
    // 2^63 as a double; anything at or beyond it no longer fits.
    constexpr double kLimit = 9223372036854775808.0;
    const double rounded = std::round(percent);
    if (rounded >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (rounded < -kLimit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(rounded);
}

} // namespace tarn::suiteviews
