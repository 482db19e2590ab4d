#include "TarnKit/Foundation/TarnLogLevel.h"

namespace tarn {

std::string_view rawValue(TarnLogLevel level)
{
    switch (level) {
    case TarnLogLevel::debug:
        return "debug";
    case TarnLogLevel::info:
        return "info";
    case TarnLogLevel::warn:
        return "warn";
    case TarnLogLevel::error:
        return "error";
    }
    return "error";
}

std::string_view label(TarnLogLevel level)
{
    switch (level) {
    case TarnLogLevel::debug:
        return "DEBUG";
    case TarnLogLevel::info:
        return "INFO";
    case TarnLogLevel::warn:
        return "WARN";
    case TarnLogLevel::error:
        return "ERROR";
    }
    return "ERROR";
}

std::optional<TarnLogLevel> tarnLogLevelFromRawValue(std::string_view raw)
{
    for (const auto level : kAllTarnLogLevels) {
        if (rawValue(level) == raw) {
            return level;
        }
    }
    return std::nullopt;
}

} // namespace tarn
