#include "Platform/Linux/Uinput/WheelEncoder.h"

#include <algorithm>
#include <cmath>

#include "Platform/Linux/Input/EvdevVocabulary.h"

namespace tarn::input {
namespace {

// Far beyond any real wheel; keeps a runaway amount inside the 32-bit event value.
constexpr double kMaxUnitsPerFrame = 1 << 24;

} // namespace

WheelOutput WheelEncoder::encode(double lines)
{
    if (!std::isfinite(lines)) {
        return {};
    }
    const double units
        = std::clamp(lines * evdev::kHiResUnitsPerLine + m_hiResRemainder, -kMaxUnitsPerFrame, kMaxUnitsPerFrame);
    const auto hiRes = static_cast<std::int32_t>(std::trunc(units));
    m_hiResRemainder = units - hiRes;
    // A detent goes out at each half line, as the kernel sends them for high-resolution wheels, so
    // both axes always agree to within half a line and a single smooth notch still scrolls one.
    m_detentRemainder += hiRes;
    const auto detents = static_cast<std::int32_t>(std::lround(m_detentRemainder / double(evdev::kHiResUnitsPerLine)));
    m_detentRemainder -= detents * evdev::kHiResUnitsPerLine;
    return {hiRes, detents};
}

void WheelEncoder::reset()
{
    m_hiResRemainder = 0;
    m_detentRemainder = 0;
}

} // namespace tarn::input
