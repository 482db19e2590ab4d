#pragma once

// Hands log lines to another sink on a writer thread of its own, so that whoever logs never waits
// for a file or the journal (the input thread must not stall on a slow disk). The queue is bounded
// and its slots are made up front: logging copies the line into a free slot and returns, without
// allocating for lines of ordinary length. When the queue is full the line is dropped and counted;
// the count is written, in its place in the order, as soon as there is room again. Lines keep the
// order in which they were logged.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn {

class QueuedLogSink final : public LogSink {
public:
    static constexpr std::size_t kDefaultCapacity = 512;

    // `target` must outlive this sink. A capacity below 2 is raised to 2 (a line and a drop count).
    explicit QueuedLogSink(LogSink& target, std::size_t capacity = kDefaultCapacity);
    // Writes every line still queued, then stops the writer.
    ~QueuedLogSink() override;
    QueuedLogSink(const QueuedLogSink&) = delete;
    QueuedLogSink& operator=(const QueuedLogSink&) = delete;

    void log(TarnLogLevel level, std::string_view category, std::string_view message) override;
    // Returns once every line logged before the call has been handed to the target.
    void flush();

    struct Line {
        TarnLogLevel level = TarnLogLevel::info;
        std::string category;
        std::string message;
    };

private:
    // Under the lock, with a free slot.
    Line& pushSlot();
    void work(std::stop_token stop);

    LogSink& m_target;
    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::condition_variable m_drained;
    std::vector<Line> m_slots;
    std::size_t m_head = 0;
    std::size_t m_count = 0;
    std::uint64_t m_dropped = 0;
    bool m_writing = false;
    // Declared last: the writer starts once everything it uses exists, and stops first.
    std::jthread m_writer;
};

} // namespace tarn
