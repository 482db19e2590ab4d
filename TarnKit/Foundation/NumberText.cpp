#include "TarnKit/Foundation/NumberText.h"

#include <cmath>

#include <fmt/format.h>

namespace tarn {

std::string NumberText::roundedWhole(double value)
{
    if (!std::isfinite(value)) {
        return fmt::format("{}", value);
    }
    const double rounded = std::round(value);
    // Adding zero turns a negative zero into a plain one.
    return fmt::format("{:.0f}", rounded + 0.0);
}

} // namespace tarn
