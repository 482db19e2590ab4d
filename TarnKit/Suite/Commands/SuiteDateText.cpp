#include "TarnKit/Suite/Commands/SuiteDateText.h"

#include <array>
#include <chrono>
#include <cstddef>

#include <fmt/format.h>

namespace tarn {
namespace {

using std::chrono::days;
using std::chrono::seconds;

constexpr std::string_view kPattern = "dddd-dd-ddTdd:dd:ddZ";

// The digits at [start, start + count) as a number; the pattern has been checked already.
int digitsAt(std::string_view text, std::size_t start, std::size_t count)
{
    int value = 0;
    for (std::size_t index = start; index < start + count; ++index) {
        value = value * 10 + (text[index] - '0');
    }
    return value;
}

bool matchesPattern(std::string_view text)
{
    if (text.size() != kPattern.size()) {
        return false;
    }
    for (std::size_t index = 0; index < text.size(); ++index) {
        const bool wantsDigit = kPattern[index] == 'd';
        const bool isDigit = text[index] >= '0' && text[index] <= '9';
        if (wantsDigit ? !isDigit : text[index] != kPattern[index]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string suiteDateText(WallTime time)
{
    const auto whole = std::chrono::floor<seconds>(time);
    const auto day = std::chrono::floor<days>(whole);
    const std::chrono::year_month_day date(day);
    const std::chrono::hh_mm_ss clock(whole - day);
    return fmt::format("{:04}-{:02}-{:02}T{:02}:{:02}:{:02}Z", static_cast<int>(date.year()),
        static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), clock.hours().count(),
        clock.minutes().count(), clock.seconds().count());
}

std::optional<WallTime> suiteDateFromText(std::string_view text)
{
    if (!matchesPattern(text)) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date {std::chrono::year(digitsAt(text, 0, 4)),
        std::chrono::month(static_cast<unsigned>(digitsAt(text, 5, 2))),
        std::chrono::day(static_cast<unsigned>(digitsAt(text, 8, 2)))};
    const int hour = digitsAt(text, 11, 2);
    const int minute = digitsAt(text, 14, 2);
    const int second = digitsAt(text, 17, 2);
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    const std::chrono::sys_seconds stamp
        = std::chrono::sys_days(date) + std::chrono::hours(hour) + std::chrono::minutes(minute) + seconds(second);
    // The wall clock counts nanoseconds in 64 bits: about the years 1678 to 2261.
    if (stamp < std::chrono::ceil<seconds>(WallTime::min()) || stamp > std::chrono::floor<seconds>(WallTime::max())) {
        return std::nullopt;
    }
    return std::chrono::time_point_cast<WallTime::duration>(stamp);
}

} // namespace tarn
