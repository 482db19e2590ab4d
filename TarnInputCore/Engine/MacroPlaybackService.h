#pragma once

// Plays one macro at a time as marked synthetic keyboard events, on the engine executor, never on
// the caller's thread. A request while another macro plays is dropped, not queued. Every pause is
// a scheduled task rather than a sleeping thread, so `cancel()` never waits for a pause.
//
// Each accepted macro is one run with its own generation number. Every change a run makes to the
// service's state first checks that its generation is still the current one, so a cancelled run
// that is still finishing can never touch the state of a newer run. Runs share one executor, whose
// tasks never overlap: two macros never interleave their events.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TarnInputCore/Engine/EngineExecutor.h"
#include "TarnInputCore/Engine/EventPoster.h"
#include "TarnInputCore/Engine/TapEvent.h"
#include "TarnInputCore/Model/InputMacro.h"
#include "TarnKit/Foundation/LogSink.h"

namespace tarn::input {

class MacroPlaybackService {
public:
    using MacroCallback = std::function<void(const InputMacro&)>;

    // Between a keystroke and the next step, a typed text and the next step, and two runs of one
    // typed text. A delay step waits its own value, at most `kLongestDelay`.
    static constexpr std::chrono::milliseconds kPauseAfterKeystroke {14};
    static constexpr std::chrono::milliseconds kPauseAfterText {12};
    static constexpr std::chrono::milliseconds kPauseBetweenTextRuns {8};
    static constexpr std::chrono::milliseconds kLongestDelay {10'000};
    // Typed text goes out in runs of at most this many UTF-16 units, cut between characters.
    static constexpr std::size_t kTextRunUnits = 16;

    // The poster, executor and log must outlive the service.
    MacroPlaybackService(std::int64_t syntheticMagicTag, LogSink& log, EventPoster& poster, EngineExecutor& executor);
    // Stops a playing macro without a log line; no task of it runs afterwards.
    ~MacroPlaybackService();
    MacroPlaybackService(const MacroPlaybackService&) = delete;
    MacroPlaybackService& operator=(const MacroPlaybackService&) = delete;

    // True when the macro was accepted and its playback scheduled; false (with a log line) when it
    // is disabled, invalid, or another macro is playing. Never blocks on playback.
    [[nodiscard]] bool play(const InputMacro& macro, std::string_view source);
    // Stops the playing macro, if any. When it returns, no event of that macro follows (it waits
    // only for a key press and release being posted at that moment, never for a pause).
    void cancel();
    bool isPlaying() const;

    // Told on the thread of `play` when a macro is accepted, and on the executor when one has
    // played to its end (never after a cancel). Set them before the first `play`: they are not
    // guarded.
    void setOnMacroStarted(MacroCallback callback);
    void setOnMacroCompleted(MacroCallback callback);

private:
    // One thing to post, then the pause before the next.
    struct Action {
        std::optional<TapEvent> keyDown; // posted with its key-up right after, never apart
        std::string text; // a typed run, when not empty
        std::chrono::milliseconds pauseAfter {0};
    };
    struct Run {
        std::uint64_t generation = 0;
        InputMacro macro;
        std::string source;
        std::vector<Action> actions;
    };
    using RunPtr = std::shared_ptr<const Run>;

    std::vector<Action> actionsFor(const InputMacro& macro) const;
    void playFrom(const RunPtr& run, std::size_t index);
    void complete(const RunPtr& run);
    void stop(bool logCancellation);
    // Called with the lock held.
    void schedule(const RunPtr& run, std::size_t index, std::chrono::nanoseconds delay);

    const std::int64_t m_syntheticMagicTag;
    LogSink& m_log;
    EventPoster& m_poster;
    EngineExecutor& m_executor;
    MacroCallback m_onMacroStarted;
    MacroCallback m_onMacroCompleted;

    mutable std::mutex m_mutex;
    bool m_isPlaying = false;
    // Bumped by every accepted macro and every cancel.
    std::uint64_t m_generation = 0;
    RunPtr m_activeRun;
    // The run has played its last step and is reporting it: a cancel now has nothing to stop.
    bool m_isCompleting = false;
    // The task of the active run that is running or due next.
    std::optional<EngineExecutor::TaskId> m_task;
};

} // namespace tarn::input
