#pragma once

// Records what would have gone to the system log, for tests.

#include <mutex>
#include <string>
#include <vector>

#include "TarnKit/Foundation/Ports/SystemLog.h"

namespace tarn {

struct SystemLogRecord {
    std::string subsystem;
    std::string category;
    SystemLogType type;
    std::string text;
    bool operator==(const SystemLogRecord&) const = default;
};

class FakeSystemLog final : public SystemLog {
public:
    void write(
        std::string_view subsystem, std::string_view category, SystemLogType type, std::string_view text) override;

    std::vector<SystemLogRecord> records() const;
    std::size_t count() const;

private:
    mutable std::mutex m_mutex;
    std::vector<SystemLogRecord> m_records;
};

} // namespace tarn
