#include "TarnKit/Foundation/Text/NumberText.h"

#include <cmath>
#include <iterator>

#include <fmt/format.h>

namespace tarn {

std::string NumberText::roundedWhole(double value)
{
    std::string text;
    appendRoundedWhole(text, value);
    return text;
}

void NumberText::appendRoundedWhole(std::string& text, double value)
{
    if (!std::isfinite(value)) {
        fmt::format_to(std::back_inserter(text), "{}", value);
        return;
    }
    // Adding zero turns a negative zero into a plain one.
    fmt::format_to(std::back_inserter(text), "{:.0f}", std::round(value) + 0.0);
}

} // namespace tarn
