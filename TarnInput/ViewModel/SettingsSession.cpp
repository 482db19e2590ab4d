#include "TarnInput/ViewModel/SettingsSession.h"

#include <utility>

namespace tarn::input {

SettingsSession::SettingsSession(
    const std::filesystem::path& file, const Services& services, Wiring wiring, std::chrono::milliseconds saveInterval)
    : m_store(file, services.clock, &services.log)
    , m_clock(services.clock)
    , m_mainThread(services.mainThread)
    , m_timers(services.timers)
    , m_wiring(std::move(wiring))
    , m_saveInterval(saveInterval)
    , m_settings(m_store.load())
    , m_writer([this] { runWriter(); })
{
}

SettingsSession::~SettingsSession()
{
    flush();
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_workArrived.notify_one();
    m_writer.join();
}

void SettingsSession::correctLoaded(const Edit& edit)
{
    edit(m_settings);
}

void SettingsSession::change(const Edit& edit)
{
    edit(m_settings);
    auto value = std::make_shared<const InputSettings>(m_settings);
    m_wiring.applyNow(value);
    // A value held back before this one is never written: the newest wins.
    m_heldBack = std::move(value);
    if (m_intervalEnd.isActive()) {
        return;
    }
    const auto now = m_clock.now();
    if (!m_lastHandOver || now - *m_lastHandOver >= m_saveInterval) {
        handOver();
        return;
    }
    const auto rest = std::chrono::ceil<std::chrono::milliseconds>(*m_lastHandOver + m_saveInterval - now);
    m_intervalEnd = m_timers.scheduleOnce(rest, [this] {
        m_intervalEnd.cancel();
        handOver();
    });
}

void SettingsSession::flush()
{
    m_intervalEnd.cancel();
    if (m_heldBack) {
        handOver();
    }
    std::unique_lock lock(m_mutex);
    m_workDone.wait(lock, [this] { return m_waiting == nullptr && !m_writing; });
}

std::uint64_t SettingsSession::writeCount() const
{
    std::lock_guard lock(m_mutex);
    return m_writeCount;
}

void SettingsSession::handOver()
{
    m_lastHandOver = m_clock.now();
    {
        std::lock_guard lock(m_mutex);
        // A value the writer has not taken yet is replaced, and freed here, after the lock.
        std::swap(m_waiting, m_heldBack);
    }
    m_heldBack.reset();
    m_workArrived.notify_one();
}

void SettingsSession::runWriter()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_workArrived.wait(lock, [this] { return m_waiting != nullptr || m_stopping; });
        if (m_waiting == nullptr) {
            return;
        }
        auto value = std::exchange(m_waiting, nullptr);
        m_writing = true;
        lock.unlock();
        write(*value);
        value.reset();
        lock.lock();
        m_writing = false;
        ++m_writeCount;
        m_workDone.notify_all();
    }
}

void SettingsSession::write(const InputSettings& value)
{
    // A failed write leaves the previous file in place and the value applies for this session
    // only. The store logs every failure; the user is told once, when saving starts to fail.
    const auto saved = m_store.save(value);
    if (!saved && m_lastSaveSucceeded) {
        m_mainThread.post([report = m_wiring.onSaveFailure, reason = saved.error()] { report(reason); });
    }
    m_lastSaveSucceeded = static_cast<bool>(saved);
}

} // namespace tarn::input
