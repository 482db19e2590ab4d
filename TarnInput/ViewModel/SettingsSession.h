#pragma once

// The settings between the screens and the disk. A change is made to the one value in memory and
// handed to the engine at once, on the interface thread; the file is written by a thread of its
// own, so the interface never waits on the disk while the user drags a slider. Writes are
// coalesced: the newest value wins and the file is written at most once per interval. What waits
// is written at once when the session ends (the program's quit, which a stop signal also runs),
// and each write replaces the file whole (InputConfigStore: a temporary file, then a rename).
//
// Threads: the public members run on the interface thread. The writer sleeps on a condition
// variable while nothing waits to be written, so a session at rest never wakes.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "TarnInputCore/Model/Settings/InputConfigStore.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnKit/Foundation/Logging/LogSink.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"

namespace tarn::input {

class SettingsSession {
public:
    static constexpr std::chrono::milliseconds kSaveInterval {250};
    using Edit = std::function<void(InputSettings&)>;
    using SharedSettings = std::shared_ptr<const InputSettings>;

    struct Wiring {
        // Runs with every changed value before `change` returns: the engine takes it here. The
        // value is the one the writer saves, shared, never changed again.
        std::function<void(const SharedSettings&)> applyNow;
        // Runs on the interface thread, through the executor, when saving starts to fail; not
        // again until a save has succeeded. The reason is one English sentence.
        std::function<void(const std::string& reason)> onSaveFailure;
    };

    // Loads the file (a missing or unusable one reads as the defaults) and writes nothing.
    SettingsSession(const std::filesystem::path& file, const Clock& clock, LogSink& log, MainThreadExecutor& mainThread,
        Wiring wiring, std::chrono::milliseconds saveInterval = kSaveInterval);
    // Writes what waits, without waiting for the interval, then stops the writer.
    ~SettingsSession();
    SettingsSession(const SettingsSession&) = delete;
    SettingsSession& operator=(const SettingsSession&) = delete;

    const InputSettings& settings() const { return m_settings; }

    // Start-up only, before the first change: the file learns the correction with that change.
    void correctLoaded(const Edit& edit);
    // Edits the value, hands it to the engine and queues the file's write; never waits on the disk.
    void change(const Edit& edit);
    // Writes what waits now and returns once it is on disk (or failed): for the end of the program.
    void flush();

    // How many times the file was written so far (failed writes included).
    std::uint64_t writeCount() const;

private:
    void runWriter();
    // Writer thread, without the lock: one save, and the user told when saving starts to fail.
    void write(const InputSettings& value);

    InputConfigStore m_store;
    MainThreadExecutor& m_mainThread;
    const Wiring m_wiring;
    const std::chrono::milliseconds m_saveInterval;
    InputSettings m_settings;

    mutable std::mutex m_mutex;
    // The writer waits here for a value, a flush or the end.
    std::condition_variable m_workArrived;
    // Flushes wait here for the writer to be done.
    std::condition_variable m_workDone;
    SharedSettings m_waiting;
    bool m_writing = false;
    bool m_flushRequested = false;
    bool m_stopping = false;
    std::uint64_t m_writeCount = 0;
    // Writer thread only.
    // When the file was last replaced: the next write waits the interval from there.
    std::chrono::steady_clock::time_point m_lastWriteEnd {};
    bool m_lastSaveSucceeded = true;

    // Last: starts once everything it uses exists.
    std::thread m_writer;
};

} // namespace tarn::input
