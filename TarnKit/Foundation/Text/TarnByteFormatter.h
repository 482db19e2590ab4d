#pragma once

// Short display texts for byte counts, transfer rates and durations in decimal units
// (1 KB = 1,000 bytes), a savings percentage, and spreadsheet-safe CSV fields.
// Locale-independent: the decimal separator is always a point.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarn {

class TarnByteFormatter {
public:
    // "999 B", "1.0 KB", "1.5 MB", "2.50 GB", "3.00 TB"; a negative count is 0 B.
    static std::string format(std::int64_t bytes);
    // "999 B/s", "1.0 KB/s", "1.0 MB/s", "2.50 GB/s"; negative or NaN is 0 B/s.
    static std::string formatRate(double bytesPerSecond);
    // "59:59", "1:00:00"; rounded to whole seconds, negative or non-finite is 00:00.
    static std::string formatDuration(double seconds);
    // (original - optimized) / original * 100, or 0 when original is not positive.
    static double savingsPercent(std::int64_t original, std::int64_t optimized);
    // Quoted, with inner quotes doubled, and a leading "'" when the text would start a formula.
    static std::string csvSafeField(std::string_view text);
};

} // namespace tarn
