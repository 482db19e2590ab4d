#include "TarnInput/ViewModel/SettingsSession.h"

#include <utility>

namespace tarn::input {

SettingsSession::SettingsSession(const std::filesystem::path& file, const Clock& clock, LogSink& log,
    MainThreadExecutor& mainThread, Wiring wiring, std::chrono::milliseconds saveInterval)
    : m_store(file, clock, &log)
    , m_mainThread(mainThread)
    , m_wiring(std::move(wiring))
    , m_saveInterval(saveInterval)
    , m_settings(m_store.load())
    , m_writer([this] { runWriter(); })
{
}

SettingsSession::~SettingsSession()
{
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
    {
        std::lock_guard lock(m_mutex);
        // The value it replaces, never written, is freed here, after the lock.
        std::swap(m_waiting, value);
    }
    m_workArrived.notify_one();
}

void SettingsSession::flush()
{
    std::unique_lock lock(m_mutex);
    m_flushRequested = true;
    m_workArrived.notify_one();
    m_workDone.wait(lock, [this] { return m_waiting == nullptr && !m_writing; });
    m_flushRequested = false;
}

std::uint64_t SettingsSession::writeCount() const
{
    std::lock_guard lock(m_mutex);
    return m_writeCount;
}

void SettingsSession::runWriter()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_workArrived.wait(lock, [this] { return m_waiting != nullptr || m_stopping; });
        if (m_waiting == nullptr) {
            return;
        }
        // Changes that arrive meanwhile replace the waiting value: the newest is written.
        const auto due = m_lastWriteEnd + m_saveInterval;
        m_workArrived.wait_until(lock, due, [this] { return m_flushRequested || m_stopping; });
        const auto value = std::exchange(m_waiting, nullptr);
        m_writing = true;
        lock.unlock();
        write(*value);
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
    m_lastWriteEnd = std::chrono::steady_clock::now();
    if (!saved && m_lastSaveSucceeded) {
        m_mainThread.post([report = m_wiring.onSaveFailure, reason = saved.error()] { report(reason); });
    }
    m_lastSaveSucceeded = static_cast<bool>(saved);
}

} // namespace tarn::input
