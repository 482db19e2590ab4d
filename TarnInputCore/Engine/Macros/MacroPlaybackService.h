#pragma once

// Plays one macro at a time as marked synthetic keyboard events, on the engine executor, never on
// the caller's thread. A request while another macro plays is dropped, not queued. Every pause is
// a wait of one executor task, armed again for each step, so `cancel()` never waits for a pause.
//
// Each accepted macro is one run with its own generation number. Every change a run makes to the
// service's state first checks that its generation is still the current one, so a cancelled run
// that is still finishing can never touch the state of a newer run. Runs share one executor, whose
// tasks never overlap: two macros never interleave their events.
//
// Playing a prepared macro allocates nothing, on the caller's thread or on the executor: the
// macro is shared, not copied, the task exists for the service's whole life, and log lines are
// built on the stack. So a button bound to a macro costs the input thread no allocation.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "TarnInputCore/Engine/Macros/PreparedMacro.h"
#include "TarnInputCore/Engine/Ports/EngineExecutor.h"
#include "TarnInputCore/Engine/Ports/EventPoster.h"
#include "TarnInputCore/Model/Macros/InputMacro.h"
#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn::input {

class MacroPlaybackService {
public:
    using MacroCallback = std::function<void(const InputMacro&)>;

    // Sources up to this long ("button-3", "ui-test") are kept without allocating.
    static constexpr std::size_t kSourceCapacity = 32;

    // The poster, executor and log must outlive the service.
    MacroPlaybackService(std::int64_t syntheticMagicTag, LogSink& log, EventPoster& poster, EngineExecutor& executor);
    // Stops a playing macro without a log line; no task of it runs afterwards.
    ~MacroPlaybackService();
    MacroPlaybackService(const MacroPlaybackService&) = delete;
    MacroPlaybackService& operator=(const MacroPlaybackService&) = delete;

    // True when the macro was accepted and its playback scheduled; false (with a log line) when it
    // is disabled, invalid, or another macro is playing. Never blocks on playback. This one
    // prepares the macro first, on the caller's thread.
    [[nodiscard]] bool play(const InputMacro& macro, std::string_view source);
    [[nodiscard]] bool play(const std::shared_ptr<const PreparedMacro>& macro, std::string_view source);
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
    // The executor task: posts the actions that are due, then waits for the next pause.
    void playDueActions();
    void complete(std::uint64_t generation);
    void stop(bool logCancellation);

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
    // The macro playing, its source and where it is. Released by the run's end or by a cancel,
    // never by `play`, so the input thread never frees one.
    std::shared_ptr<const PreparedMacro> m_macro;
    std::string m_source;
    std::size_t m_nextAction = 0;
    // The run has played its last step and is reporting it: a cancel now has nothing to stop.
    bool m_isCompleting = false;
    // Held by the task while it posts one action, so that a cancel can wait for that action only.
    std::mutex m_postMutex;
    // Declared last: made once everything it uses exists.
    const EngineExecutor::TaskId m_task;
};

} // namespace tarn::input
