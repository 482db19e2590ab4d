#pragma once

// One record of the application log and its two text forms: the JSON line stored in the log
// file and the plain-text line used when the log is copied.

#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Logging/TarnLogLevel.h"

namespace tarn {

struct TarnLogEntry {
    std::string id; // upper-case canonical UUID; also the entry's identity
    std::string timestamp; // UTC with milliseconds: 2026-12-09T07:20:08.123Z
    TarnLogLevel level = TarnLogLevel::info;
    std::string category;
    std::string message; // already redacted
    std::string version;
    std::string build;

    // Compact JSON, keys sorted (build, category, id, level, message, timestamp, version), no
    // line feed. "/" is written as "\/" and control characters as escapes, so a line never
    // breaks; invalid UTF-8 in any field is written as U+FFFD.
    std::string jsonLine() const;
    // Needs all seven keys as strings and a known level; other keys are ignored.
    static std::optional<TarnLogEntry> fromJsonLine(std::string_view line);

    // "[timestamp] [LEVEL] [vVERSION#BUILD] [category] message", the message as stored.
    std::string plainTextLine() const;

    bool operator==(const TarnLogEntry&) const = default;
};

} // namespace tarn
