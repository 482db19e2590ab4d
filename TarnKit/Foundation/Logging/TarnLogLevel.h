#pragma once

// Severity of a log entry. The declaration order is the severity order used by every comparison.

#include <array>
#include <optional>
#include <string_view>

namespace tarn {

enum class TarnLogLevel { debug, info, warn, error };

inline constexpr std::array<TarnLogLevel, 4> kAllTarnLogLevels {
    TarnLogLevel::debug, TarnLogLevel::info, TarnLogLevel::warn, TarnLogLevel::error};

// "debug", "info", "warn", "error": the form in files and JSON.
std::string_view rawValue(TarnLogLevel level);
// "DEBUG", "INFO", "WARN", "ERROR".
std::string_view label(TarnLogLevel level);
// Case-sensitive; anything but the four raw values is not a level.
std::optional<TarnLogLevel> tarnLogLevelFromRawValue(std::string_view raw);

} // namespace tarn
