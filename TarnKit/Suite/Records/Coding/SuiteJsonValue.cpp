#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"

#include <array>
#include <charconv>

namespace tarn {

std::optional<SuiteJson> SuiteJsonValue<float>::encode(float value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // The shortest text of the float, read as a double, is the double JSON writes that way.
    std::array<char, 32> text {};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
    double widened = value;
    std::from_chars(text.data(), written.ptr, widened);
    return SuiteJson(widened);
}

} // namespace tarn
