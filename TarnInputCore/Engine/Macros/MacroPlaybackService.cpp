#include "TarnInputCore/Engine/Macros/MacroPlaybackService.h"

#include <iterator>
#include <utility>

#include <fmt/format.h>

namespace tarn::input {
namespace {

constexpr std::string_view kCategory = "macro";

// Lines of ordinary length are built on the stack: logging from the input thread must not allocate.
template <typename... Args>
void logLine(LogSink& log, TarnLogLevel level, fmt::format_string<Args...> format, Args&&... args)
{
    fmt::memory_buffer line;
    fmt::format_to(std::back_inserter(line), format, std::forward<Args>(args)...);
    log.log(level, kCategory, std::string_view(line.data(), line.size()));
}

} // namespace

MacroPlaybackService::MacroPlaybackService(
    std::int64_t syntheticMagicTag, LogSink& log, EventPoster& poster, EngineExecutor& executor)
    : m_syntheticMagicTag(syntheticMagicTag)
    , m_log(log)
    , m_poster(poster)
    , m_executor(executor)
    , m_task(executor.addDormant(std::chrono::nanoseconds {0}, [this] { playDueActions(); }))
{
    m_source.reserve(kSourceCapacity);
}

MacroPlaybackService::~MacroPlaybackService()
{
    stop(false);
    // Waits for a run in progress; none follows.
    m_executor.cancel(m_task);
}

void MacroPlaybackService::setOnMacroStarted(MacroCallback callback)
{
    m_onMacroStarted = std::move(callback);
}

void MacroPlaybackService::setOnMacroCompleted(MacroCallback callback)
{
    m_onMacroCompleted = std::move(callback);
}

bool MacroPlaybackService::play(const InputMacro& macro, std::string_view source)
{
    return play(PreparedMacro::make(macro), source);
}

bool MacroPlaybackService::play(const std::shared_ptr<const PreparedMacro>& prepared, std::string_view source)
{
    const InputMacro& macro = prepared->macro();
    if (!macro.isEnabled) {
        logLine(m_log, TarnLogLevel::debug, "Ignored disabled macro '{}' (source: {})", macro.name, source);
        return false;
    }
    // Validated before the busy check: an invalid macro is reported as invalid even while
    // another one plays.
    if (const auto issues = prepared->validationIssueCount(); issues > 0) {
        logLine(
            m_log, TarnLogLevel::warn, "Blocked invalid macro '{}' with {} validation issue(s)", macro.name, issues);
        return false;
    }
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(m_mutex);
        if (!m_isPlaying) {
            m_isPlaying = true;
            m_isCompleting = false;
            generation = ++m_generation;
            m_macro = prepared;
            m_source.assign(source);
            m_nextAction = 0;
        }
    }
    if (generation == 0) {
        logLine(m_log, TarnLogLevel::warn, "Skipped macro '{}' (source: {}): playback already in progress", macro.name,
            source);
        return false;
    }
    logLine(m_log, TarnLogLevel::info, "Starting macro '{}' ({} steps, ~{} ms, source: {})", macro.name,
        macro.steps.size(), prepared->estimatedDurationMs(), source);
    if (m_onMacroStarted) {
        m_onMacroStarted(macro);
    }
    std::lock_guard lock(m_mutex);
    // A cancel since the check above has already ended this run: nothing is left to start.
    if (generation == m_generation) {
        m_executor.arm(m_task, std::chrono::nanoseconds {0});
    }
    return true;
}

void MacroPlaybackService::cancel()
{
    stop(true);
}

bool MacroPlaybackService::isPlaying() const
{
    std::lock_guard lock(m_mutex);
    return m_isPlaying;
}

void MacroPlaybackService::stop(bool logCancellation)
{
    fmt::memory_buffer line;
    std::shared_ptr<const PreparedMacro> ended;
    {
        std::lock_guard lock(m_mutex);
        ++m_generation;
        m_isPlaying = false;
        ended = std::exchange(m_macro, nullptr);
        const bool wasCompleting = std::exchange(m_isCompleting, false);
        // Under the lock, so that it can never undo the arming of a run accepted after it.
        m_executor.disarm(m_task);
        if (ended && !wasCompleting && logCancellation) {
            fmt::format_to(
                std::back_inserter(line), "Cancelled macro '{}' (source: {})", ended->macro().name, m_source);
        }
    }
    // Waits only for a key press and release being posted right now; a task waiting out a pause is
    // simply disarmed.
    {
        std::lock_guard posting(m_postMutex);
    }
    if (line.size() > 0) {
        m_log.log(TarnLogLevel::info, kCategory, std::string_view(line.data(), line.size()));
    }
}

void MacroPlaybackService::playDueActions()
{
    // Actions without a pause after them (a delay of 0, a keystroke as the last step) run on in
    // this task.
    for (;;) {
        std::unique_lock posting(m_postMutex);
        std::shared_ptr<const PreparedMacro> macro;
        std::size_t index = 0;
        std::uint64_t generation = 0;
        {
            std::lock_guard lock(m_mutex);
            if (!m_isPlaying || m_isCompleting) {
                return;
            }
            macro = m_macro;
            index = m_nextAction;
            generation = m_generation;
        }
        const auto& actions = macro->actions();
        if (index == actions.size()) {
            posting.unlock();
            complete(generation);
            return;
        }
        const auto& action = actions[index];
        if (action.keyDown) {
            // Down and up go out back to back under the posting lock, so a cancel can never leave
            // the key held down.
            TapEvent keyDown = *action.keyDown;
            keyDown.sourceUserData = m_syntheticMagicTag;
            TapEvent keyUp = keyDown;
            keyUp.type = TapEventType::keyUp;
            m_poster.post(keyDown);
            m_poster.post(keyUp);
        } else if (!action.text.empty()) {
            m_poster.postText(action.text, m_syntheticMagicTag);
        }
        posting.unlock();
        std::lock_guard lock(m_mutex);
        if (generation != m_generation) {
            return;
        }
        m_nextAction = index + 1;
        if (action.pauseAfter > std::chrono::milliseconds {0}) {
            m_executor.arm(m_task, action.pauseAfter);
            return;
        }
    }
}

void MacroPlaybackService::complete(std::uint64_t generation)
{
    fmt::memory_buffer line;
    std::shared_ptr<const PreparedMacro> macro;
    {
        std::lock_guard lock(m_mutex);
        if (generation != m_generation) {
            return;
        }
        m_isCompleting = true;
        macro = m_macro;
        fmt::format_to(std::back_inserter(line), "Completed macro '{}' (source: {})", macro->macro().name, m_source);
    }
    m_log.log(TarnLogLevel::info, kCategory, std::string_view(line.data(), line.size()));
    if (m_onMacroCompleted) {
        m_onMacroCompleted(macro->macro());
    }
    std::lock_guard lock(m_mutex);
    // Only this run's own state is cleared: a cancel and a newer run may have come meanwhile.
    if (generation == m_generation) {
        m_isPlaying = false;
        m_isCompleting = false;
        m_macro.reset();
    }
}

} // namespace tarn::input
