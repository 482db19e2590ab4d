#pragma once

// The system log on Linux: the systemd journal. Each entry carries the subsystem as
// SYSLOG_IDENTIFIER (so `journalctl -t com.harrowfen.tarninput` shows it), the category in
// CATEGORY, and the priority debug (7), info (6) or err (3). Without a journal (no systemd, a
// container) the entry is dropped silently.

#include <string>
#include <string_view>
#include <vector>

#include "TarnKit/Foundation/Ports/SystemLog.h"

namespace tarn {

class JournaldSystemLog final : public SystemLog {
public:
    void write(
        std::string_view subsystem, std::string_view category, SystemLogType type, std::string_view text) override;

    // The journal fields of one entry, "NAME=value" each, in the order they are sent.
    static std::vector<std::string> fields(
        std::string_view subsystem, std::string_view category, SystemLogType type, std::string_view text);
};

} // namespace tarn
