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

constexpr std::uint64_t kPlayingBit = 1;

constexpr std::uint64_t generationOf(std::uint64_t state)
{
    return state >> 1;
}

// The state after a cancel: a newer generation, nothing playing.
constexpr std::uint64_t cancelledState(std::uint64_t state)
{
    return (generationOf(state) + 1) << 1;
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
    Run run {.macro = prepared, .generation = claimRun()};
    run.sourceSize = source.copy(run.source.data(), run.source.size());
    if (run.generation != 0 && !m_waitingRuns.push(run)) {
        // The executor is far behind: give the claim back as a cancel would.
        auto claimed = (run.generation << 1) | kPlayingBit;
        (void)m_state.compare_exchange_strong(claimed, cancelledState(claimed));
        run.generation = 0;
    }
    if (run.generation == 0) {
        logLine(m_log, TarnLogLevel::warn, "Skipped macro '{}' (source: {}): playback already in progress", macro.name,
            source);
        return false;
    }
    logLine(m_log, TarnLogLevel::info, "Starting macro '{}' ({} steps, ~{} ms, source: {})", macro.name,
        macro.steps.size(), prepared->estimatedDurationMs(), source);
    if (m_onMacroStarted) {
        m_onMacroStarted(macro);
    }
    // Armed even when a cancel has come since: the task then finds nothing to play.
    m_executor.arm(m_task, std::chrono::nanoseconds {0});
    return true;
}

std::uint64_t MacroPlaybackService::claimRun()
{
    auto state = m_state.load();
    while ((state & kPlayingBit) == 0) {
        const auto claimed = cancelledState(state) | kPlayingBit;
        if (m_state.compare_exchange_weak(state, claimed)) {
            return generationOf(claimed);
        }
    }
    return 0;
}

void MacroPlaybackService::takeWaitingRuns()
{
    // Older ones were cancelled: only the newest can still be current.
    while (auto waiting = m_waitingRuns.pop()) {
        m_run = std::move(*waiting);
        m_nextAction = 0;
        m_isCompleting = false;
    }
}

void MacroPlaybackService::cancel()
{
    stop(true);
}

bool MacroPlaybackService::isPlaying() const
{
    return (m_state.load() & kPlayingBit) != 0;
}

void MacroPlaybackService::stop(bool logCancellation)
{
    fmt::memory_buffer line;
    std::shared_ptr<const PreparedMacro> ended;
    {
        std::lock_guard lock(m_mutex);
        // Before the generation moves on, so that it can never undo the arming of a run accepted
        // after it.
        m_executor.disarm(m_task);
        takeWaitingRuns();
        auto state = m_state.load();
        while (!m_state.compare_exchange_weak(state, cancelledState(state))) { }
        const bool wasCompleting = std::exchange(m_isCompleting, false);
        if ((state & kPlayingBit) != 0 && m_run.generation == generationOf(state)) {
            ended = std::exchange(m_run.macro, nullptr);
        }
        if (ended && !wasCompleting && logCancellation) {
            fmt::format_to(
                std::back_inserter(line), "Cancelled macro '{}' (source: {})", ended->macro().name, m_run.sourceText());
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
            takeWaitingRuns();
            const auto state = m_state.load();
            if ((state & kPlayingBit) == 0 || m_isCompleting || m_run.generation != generationOf(state)) {
                return;
            }
            macro = m_run.macro;
            index = m_nextAction;
            generation = m_run.generation;
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
        if (generation != generationOf(m_state.load())) {
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
        if (generation != generationOf(m_state.load())) {
            return;
        }
        m_isCompleting = true;
        macro = m_run.macro;
        fmt::format_to(
            std::back_inserter(line), "Completed macro '{}' (source: {})", macro->macro().name, m_run.sourceText());
    }
    m_log.log(TarnLogLevel::info, kCategory, std::string_view(line.data(), line.size()));
    if (m_onMacroCompleted) {
        m_onMacroCompleted(macro->macro());
    }
    std::lock_guard lock(m_mutex);
    // Only this run's own state is cleared: a cancel and a newer run may have come meanwhile.
    auto playing = (generation << 1) | kPlayingBit;
    if (m_state.compare_exchange_strong(playing, generation << 1)) {
        m_isCompleting = false;
        m_run.macro.reset();
    }
}

} // namespace tarn::input
