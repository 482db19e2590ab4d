#pragma once

// The desktop's system log, where the application logger mirrors every entry so that the
// system's own log tools show it. One instance may serve every logger of the process: each call
// names its subsystem ("com.harrowfen.tarninput") and category ("runtime").
// Implementations never throw and may be called from any thread.

#include <string_view>

namespace tarn {

// The system log's own severities; the logger maps its four levels onto these three.
enum class SystemLogType { debug, info, error };

class SystemLog {
public:
    virtual ~SystemLog() = default;
    virtual void write(std::string_view subsystem, std::string_view category, SystemLogType type, std::string_view text)
        = 0;
};

} // namespace tarn
