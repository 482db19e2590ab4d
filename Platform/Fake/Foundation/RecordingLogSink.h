#pragma once

// Keeps every logged line for tests: "info tap Stopped listening to the input devices".

#include <mutex>
#include <string>
#include <vector>

#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn {

struct RecordedLogLine {
    TarnLogLevel level;
    std::string category;
    std::string message;
    bool operator==(const RecordedLogLine&) const = default;
};

class RecordingLogSink final : public LogSink {
public:
    void log(TarnLogLevel level, std::string_view category, std::string_view message) override
    {
        std::lock_guard lock(m_mutex);
        m_lines.push_back({level, std::string(category), std::string(message)});
    }

    std::vector<RecordedLogLine> lines() const
    {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }

    // How many lines have exactly this message.
    std::size_t count(std::string_view message) const
    {
        std::lock_guard lock(m_mutex);
        std::size_t matches = 0;
        for (const auto& line : m_lines) {
            matches += line.message == message ? 1 : 0;
        }
        return matches;
    }

    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_lines.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<RecordedLogLine> m_lines;
};

} // namespace tarn
