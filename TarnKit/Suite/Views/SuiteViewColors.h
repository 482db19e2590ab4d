#pragma once
// The fixed colours the suite views share beside the glass tokens, and the rounding of the
// percentages they show.
#include <cstdint>

#include <QColor>

namespace tarn::suiteviews {

// A98BFF: the memory application's colour.
inline QColor violet()
{
    return QColor(169, 139, 255);
}
// 38E8FF: swap and the sensors application.
inline QColor cyan()
{
    return QColor(56, 232, 255);
}
// 47E6C1: mounted sparse disks.
inline QColor green()
{
    return QColor(71, 230, 193);
}
// FF6B81: the reaper application.
inline QColor reaperRed()
{
    return QColor(255, 107, 129);
}
// The colour at an opacity.
QColor withAlpha(const QColor& color, double opacity);
// Nearest whole number, halves away from zero; a value that is not finite or lies beyond the
// 64-bit range is held to it (not a number counts as 0) rather than left undefined.
std::int64_t roundedPercent(double percent);

} // namespace tarn::suiteviews
