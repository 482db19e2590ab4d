#include "Platform/Fake/Foundation/FakeSystemLog.h"

namespace tarn {

void FakeSystemLog::write(
    std::string_view subsystem, std::string_view category, SystemLogType type, std::string_view text)
{
    std::lock_guard lock(m_mutex);
    m_records.push_back({std::string(subsystem), std::string(category), type, std::string(text)});
}

std::vector<SystemLogRecord> FakeSystemLog::records() const
{
    std::lock_guard lock(m_mutex);
    return m_records;
}

std::size_t FakeSystemLog::count() const
{
    std::lock_guard lock(m_mutex);
    return m_records.size();
}

} // namespace tarn
