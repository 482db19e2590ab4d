#include "Platform/Linux/Services/JournaldSystemLog.h"

#include <systemd/sd-journal.h>

#include <sys/uio.h>
#include <syslog.h>

namespace tarn {
namespace {

int priority(SystemLogType type)
{
    switch (type) {
    case SystemLogType::debug:
        return LOG_DEBUG;
    case SystemLogType::info:
        return LOG_INFO;
    case SystemLogType::error:
        return LOG_ERR;
    }
    return LOG_ERR;
}

} // namespace

std::vector<std::string> JournaldSystemLog::fields(
    std::string_view subsystem, std::string_view category, SystemLogType type, std::string_view text)
{
    // The journal keeps field values byte for byte, line breaks included, so nothing is
    // escaped here.
    return {
        "MESSAGE=" + std::string(text),
        "PRIORITY=" + std::to_string(priority(type)),
        "SYSLOG_IDENTIFIER=" + std::string(subsystem),
        "CATEGORY=" + std::string(category),
    };
}

void JournaldSystemLog::write(
    std::string_view subsystem, std::string_view category, SystemLogType type, std::string_view text)
{
    try {
        auto entry = fields(subsystem, category, type, text);
        std::vector<iovec> vectors;
        vectors.reserve(entry.size());
        for (auto& field : entry) {
            vectors.push_back(iovec {field.data(), field.size()});
        }
        // sd_journal_sendv takes no format string, so a "%" in a message is only a character.
        // Its result is ignored: the file log is the record, this is only a mirror.
        sd_journal_sendv(vectors.data(), static_cast<int>(vectors.size()));
    } catch (...) {
        // Out of memory while building the fields: the mirror is skipped, never the caller.
    }
}

} // namespace tarn
