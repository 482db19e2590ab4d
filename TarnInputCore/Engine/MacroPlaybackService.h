#pragma once

// Plays one macro at a time as marked synthetic keyboard events, on the engine executor, never on
// the tap thread. A request while another macro plays is dropped, not queued.
// Minimal for now: keystrokes and pauses are played; validation, typed text, the start line and
// the started/completed callbacks come with the macro work.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "TarnInputCore/Engine/EngineExecutor.h"
#include "TarnInputCore/Engine/EventPoster.h"
#include "TarnInputCore/Model/InputMacro.h"
#include "TarnKit/Foundation/LogSink.h"

namespace tarn::input {

class MacroPlaybackService {
public:
    MacroPlaybackService(std::int64_t syntheticMagicTag, LogSink& log, EventPoster& poster, EngineExecutor& executor);
    ~MacroPlaybackService();
    MacroPlaybackService(const MacroPlaybackService&) = delete;
    MacroPlaybackService& operator=(const MacroPlaybackService&) = delete;

    // True when the macro was accepted and its playback scheduled. Never blocks on playback.
    [[nodiscard]] bool play(const InputMacro& macro, std::string_view source);
    // Stops the playing macro, if any; no step of it runs afterwards.
    void cancel();
    bool isPlaying() const;

private:
    void runStep(std::uint64_t generation, std::size_t index);
    // Called with the lock held.
    void schedule(std::uint64_t generation, std::size_t index, std::chrono::nanoseconds delay);

    const std::int64_t m_syntheticMagicTag;
    LogSink& m_log;
    EventPoster& m_poster;
    EngineExecutor& m_executor;

    mutable std::mutex m_mutex;
    bool m_isPlaying = false;
    // Bumped by every accepted macro and every cancel, so a step of an older run does nothing.
    std::uint64_t m_generation = 0;
    std::vector<MacroStep> m_steps;
    std::optional<EngineExecutor::TaskId> m_pendingTask;
};

} // namespace tarn::input
