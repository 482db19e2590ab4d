#include "TarnKit/Foundation/Logging/QueuedLogSink.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <fmt/format.h>

namespace tarn {

namespace {

// Room made up front in every slot: lines up to this long are queued without allocating.
constexpr std::size_t kCategoryCapacity = 32;
constexpr std::size_t kMessageCapacity = 256;

std::vector<QueuedLogSink::Line> makeSlots(std::size_t capacity)
{
    std::vector<QueuedLogSink::Line> slots(std::max<std::size_t>(capacity, 2));
    for (auto& slot : slots) {
        slot.category.reserve(kCategoryCapacity);
        slot.message.reserve(kMessageCapacity);
    }
    return slots;
}

} // namespace

QueuedLogSink::QueuedLogSink(LogSink& target, std::size_t capacity)
    : m_target(target)
    , m_slots(makeSlots(capacity))
    , m_writer([this](std::stop_token stop) { work(stop); })
{
}

QueuedLogSink::~QueuedLogSink()
{
    m_writer.request_stop();
    if (m_writer.joinable()) {
        m_writer.join();
    }
}

QueuedLogSink::Line& QueuedLogSink::pushSlot()
{
    auto& slot = m_slots[(m_head + m_count) % m_slots.size()];
    ++m_count;
    return slot;
}

void QueuedLogSink::log(TarnLogLevel level, std::string_view category, std::string_view message)
{
    {
        std::lock_guard lock(m_mutex);
        const std::size_t free = m_slots.size() - m_count;
        // A pending drop count goes first, so it stands where the lost lines were.
        if (free == 0 || (m_dropped > 0 && free < 2)) {
            ++m_dropped;
            return;
        }
        if (m_dropped > 0) {
            auto& notice = pushSlot();
            notice.level = TarnLogLevel::warn;
            notice.category.assign("log");
            notice.message.clear();
            fmt::format_to(std::back_inserter(notice.message),
                "{} log lines were dropped: the log could not be written fast enough", m_dropped);
            m_dropped = 0;
        }
        auto& line = pushSlot();
        line.level = level;
        line.category.assign(category);
        line.message.assign(message);
    }
    m_wake.notify_one();
}

void QueuedLogSink::flush()
{
    std::unique_lock lock(m_mutex);
    m_drained.wait(lock, [&] { return m_count == 0 && !m_writing; });
}

void QueuedLogSink::work(std::stop_token stop)
{
    // Swapped with a slot's strings, so the slot gets room back and nothing is allocated.
    Line line;
    line.category.reserve(kCategoryCapacity);
    line.message.reserve(kMessageCapacity);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, stop, [&] { return m_count > 0; });
        if (m_count == 0) {
            // Stopping, and everything queued has been written.
            break;
        }
        auto& slot = m_slots[m_head];
        line.level = slot.level;
        std::swap(line.category, slot.category);
        std::swap(line.message, slot.message);
        m_head = (m_head + 1) % m_slots.size();
        --m_count;
        m_writing = true;
        lock.unlock();
        m_target.log(line.level, line.category, line.message);
        lock.lock();
        m_writing = false;
        m_drained.notify_all();
    }
}

} // namespace tarn
