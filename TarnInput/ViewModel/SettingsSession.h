#pragma once

// The settings between the screens and the disk. A change is made to the one value in memory and
// handed to the engine at once, on the interface thread; the file is written by a thread of its
// own, so the interface never waits on the disk while the user drags a slider. Writes are
// coalesced: the newest value wins and a value goes to the writer at most once per interval,
// timed on the clock port; a change within the interval waits for its end on a one-shot timer of
// the interface thread. What waits is written at once when the session ends (the program's quit,
// which a stop signal also runs), and each write replaces the file whole (InputConfigStore: a
// temporary file, then a rename).
//
// Threads: the public members run on the interface thread, and so does the timer's work. The
// writer sleeps on a condition variable while nothing waits to be written, and the timer runs
// only while a change waits for the interval, so a session at rest never wakes.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "TarnInput/ViewModel/Ports/MainThreadTimers.h"
#include "TarnInputCore/Model/Settings/InputConfigStore.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnKit/Foundation/Basics/Subscription.h"
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

    // The services it runs on: the clock times the interval (and stamps a file set aside), the
    // timers end a wait for it, the executor brings a save failure to the interface thread.
    struct Services {
        const Clock& clock;
        LogSink& log;
        MainThreadExecutor& mainThread;
        MainThreadTimers& timers;
    };

    // Loads the file (a missing or unusable one reads as the defaults) and writes nothing.
    SettingsSession(const std::filesystem::path& file, const Services& services, Wiring wiring,
        std::chrono::milliseconds saveInterval = kSaveInterval);
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

    // Whether a change waits for the interval to end before it goes to the writer.
    bool holdsBackAChange() const { return m_heldBack != nullptr; }
    // How many times the file was written so far (failed writes included).
    std::uint64_t writeCount() const;

private:
    // Interface thread: gives the newest value to the writer and starts the interval.
    void handOver();
    void runWriter();
    // Writer thread, without the lock: one save, and the user told when saving starts to fail.
    void write(const InputSettings& value);

    InputConfigStore m_store;
    const Clock& m_clock;
    MainThreadExecutor& m_mainThread;
    MainThreadTimers& m_timers;
    const Wiring m_wiring;
    const std::chrono::milliseconds m_saveInterval;
    InputSettings m_settings;

    // Interface thread only.
    // The newest change while it waits for the interval to end, and the timer that ends the wait.
    SharedSettings m_heldBack;
    Subscription m_intervalEnd;
    // When a value last went to the writer; none yet while nothing was written.
    std::optional<MonotonicTime> m_lastHandOver;

    mutable std::mutex m_mutex;
    // The writer waits here for a value or the end.
    std::condition_variable m_workArrived;
    // Flushes wait here for the writer to be done.
    std::condition_variable m_workDone;
    SharedSettings m_waiting;
    bool m_writing = false;
    bool m_stopping = false;
    std::uint64_t m_writeCount = 0;
    // Writer thread only.
    bool m_lastSaveSucceeded = true;

    // Last: starts once everything it uses exists.
    std::thread m_writer;
};

} // namespace tarn::input
