#include "TarnKit/Foundation/Text/TarnByteFormatter.h"

#include <cmath>

#include <fmt/format.h>

namespace tarn {
namespace {

// Rounded half away from zero; negative and NaN durations are 0, and durations beyond the
// 64-bit range are shown at the largest one that fits.
std::int64_t wholeSeconds(double seconds)
{
    constexpr double kLargest = 9.2e18;
    const double rounded = std::round(seconds);
    if (std::isnan(rounded) || rounded <= 0) {
        return 0;
    }
    return static_cast<std::int64_t>(std::min(rounded, kLargest));
}

} // namespace

std::string TarnByteFormatter::format(std::int64_t bytes)
{
    const std::int64_t count = bytes < 0 ? 0 : bytes;
    const auto value = static_cast<double>(count);
    if (count < 1'000) {
        return fmt::format("{} B", count);
    }
    if (count < 1'000'000) {
        return fmt::format("{:.1f} KB", value / 1e3);
    }
    if (count < 1'000'000'000) {
        return fmt::format("{:.1f} MB", value / 1e6);
    }
    if (count < 1'000'000'000'000) {
        return fmt::format("{:.2f} GB", value / 1e9);
    }
    return fmt::format("{:.2f} TB", value / 1e12);
}

std::string TarnByteFormatter::formatRate(double bytesPerSecond)
{
    const double rate = (std::isnan(bytesPerSecond) || bytesPerSecond < 0) ? 0 : bytesPerSecond;
    if (rate < 1e3) {
        return fmt::format("{:.0f} B/s", std::round(rate));
    }
    if (rate < 1e6) {
        return fmt::format("{:.1f} KB/s", rate / 1e3);
    }
    if (rate < 1e9) {
        return fmt::format("{:.1f} MB/s", rate / 1e6);
    }
    return fmt::format("{:.2f} GB/s", rate / 1e9);
}

std::string TarnByteFormatter::formatDuration(double seconds)
{
    const std::int64_t total = wholeSeconds(seconds);
    const std::int64_t hours = total / 3600;
    const std::int64_t minutes = (total - hours * 3600) / 60;
    const std::int64_t secs = total % 60;
    if (hours == 0) {
        return fmt::format("{:02}:{:02}", minutes, secs);
    }
    return fmt::format("{}:{:02}:{:02}", hours, minutes, secs);
}

double TarnByteFormatter::savingsPercent(std::int64_t original, std::int64_t optimized)
{
    if (original <= 0) {
        return 0;
    }
    // In double precision, so a difference beyond the 64-bit range cannot overflow.
    return (static_cast<double>(original) - static_cast<double>(optimized)) / static_cast<double>(original) * 100.0;
}

std::string TarnByteFormatter::csvSafeField(std::string_view text)
{
    std::string field = "\"";
    // Judged on the first code point, so a combining mark after "=" cannot hide a formula.
    if (!text.empty()) {
        switch (text.front()) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            field += '\'';
            break;
        default:
            break;
        }
    }
    for (const char character : text) {
        field += character;
        if (character == '"') {
            field += '"';
        }
    }
    field += '"';
    return field;
}

} // namespace tarn
