#include "TarnInputCore/Engine/MacroPlaybackService.h"

#include <variant>

#include <fmt/format.h>

#include "TarnInputCore/Engine/KeystrokeFormatter.h"
#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

MacroPlaybackService::MacroPlaybackService(
    std::int64_t syntheticMagicTag, LogSink& log, EventPoster& poster, EngineExecutor& executor)
    : m_syntheticMagicTag(syntheticMagicTag)
    , m_log(log)
    , m_poster(poster)
    , m_executor(executor)
{
}

MacroPlaybackService::~MacroPlaybackService()
{
    cancel();
}

bool MacroPlaybackService::play(const InputMacro& macro, std::string_view source)
{
    if (!macro.isEnabled) {
        m_log.log(
            TarnLogLevel::debug, "macro", fmt::format("Ignored disabled macro '{}' (source: {})", macro.name, source));
        return false;
    }
    {
        std::lock_guard lock(m_mutex);
        if (!m_isPlaying) {
            m_isPlaying = true;
            m_steps = macro.steps;
            schedule(++m_generation, 0, std::chrono::nanoseconds {0});
            return true;
        }
    }
    m_log.log(TarnLogLevel::warn, "macro",
        fmt::format("Skipped macro '{}' (source: {}): playback already in progress", macro.name, source));
    return false;
}

void MacroPlaybackService::cancel()
{
    std::optional<EngineExecutor::TaskId> pending;
    {
        std::lock_guard lock(m_mutex);
        ++m_generation;
        m_isPlaying = false;
        m_steps.clear();
        pending = std::exchange(m_pendingTask, std::nullopt);
    }
    if (pending) {
        m_executor.cancel(*pending);
    }
}

bool MacroPlaybackService::isPlaying() const
{
    std::lock_guard lock(m_mutex);
    return m_isPlaying;
}

void MacroPlaybackService::schedule(std::uint64_t generation, std::size_t index, std::chrono::nanoseconds delay)
{
    m_pendingTask = m_executor.scheduleAfter(delay, [this, generation, index] { runStep(generation, index); });
}

void MacroPlaybackService::runStep(std::uint64_t generation, std::size_t index)
{
    std::optional<MacroKeystroke> keystroke;
    {
        std::lock_guard lock(m_mutex);
        if (generation != m_generation) {
            return;
        }
        m_pendingTask.reset();
        if (index >= m_steps.size()) {
            m_isPlaying = false;
            m_steps.clear();
            return;
        }
        const auto& kind = m_steps[index].kind;
        std::chrono::nanoseconds next {0};
        if (const auto* step = std::get_if<MacroKeystroke>(&kind)) {
            keystroke = *step;
        } else if (const auto* pause = std::get_if<MacroDelay>(&kind)) {
            next = std::chrono::milliseconds(pause->milliseconds > 0 ? pause->milliseconds : 0);
        }
        schedule(generation, index + 1, next);
    }
    if (keystroke) {
        TapEvent down;
        down.type = TapEventType::keyDown;
        down.keyCode = keystroke->keyCode;
        down.flags = KeystrokeFormatter::Modifiers::fromWords(keystroke->modifiers).eventFlags();
        down.sourceUserData = m_syntheticMagicTag;
        TapEvent up = down;
        up.type = TapEventType::keyUp;
        m_poster.post(down);
        m_poster.post(up);
    }
}

} // namespace tarn::input
