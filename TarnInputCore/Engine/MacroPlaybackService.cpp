#include "TarnInputCore/Engine/MacroPlaybackService.h"

#include <algorithm>
#include <utility>
#include <variant>

#include <fmt/format.h>

#include "TarnInputCore/Engine/InputMacroEngine.h"
#include "TarnKit/Foundation/TextGraphemes.h"
#include "TarnKit/Foundation/UnicodeText.h"

namespace tarn::input {
namespace {

constexpr std::string_view kCategory = "macro";

// Cuts a text into runs of at most `kTextRunUnits` UTF-16 units. A run never ends inside a
// character (an emoji, a flag, a letter with its accents): splitting one across two typed
// events can corrupt it on the receiving side. Only a single character longer than a whole
// run is cut, and then between code points, never inside one.
std::vector<std::string> textRuns(std::string_view original)
{
    const std::string text
        = UnicodeText::isValidUtf8(original) ? std::string(original) : UnicodeText::sanitizedUtf8(original);
    const TextGraphemes characters(text);
    std::vector<std::string> runs;
    std::size_t runStart = 0;
    std::size_t runUnits = 0;
    // The last character start inside the current run, and the run's units before it.
    std::size_t lastBoundary = 0;
    std::size_t unitsBeforeBoundary = 0;
    for (std::size_t offset = 0; offset < text.size();) {
        const auto lead = static_cast<unsigned char>(text[offset]);
        const std::size_t bytes = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        // Code points beyond the basic plane take a surrogate pair.
        const std::size_t units = bytes == 4 ? 2 : 1;
        if (offset > runStart && characters.isBoundary(offset)) {
            lastBoundary = offset;
            unitsBeforeBoundary = runUnits;
        }
        while (runUnits + units > MacroPlaybackService::kTextRunUnits) {
            const bool atCharacter = lastBoundary > runStart;
            const std::size_t cut = atCharacter ? lastBoundary : offset;
            runs.push_back(text.substr(runStart, cut - runStart));
            runUnits = atCharacter ? runUnits - unitsBeforeBoundary : 0;
            runStart = cut;
            lastBoundary = runStart;
        }
        runUnits += units;
        offset += bytes;
    }
    if (runStart < text.size()) {
        runs.push_back(text.substr(runStart));
    }
    return runs;
}

} // namespace

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
    stop(false);
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
    if (!macro.isEnabled) {
        m_log.log(TarnLogLevel::debug, kCategory,
            fmt::format("Ignored disabled macro '{}' (source: {})", macro.name, source));
        return false;
    }
    // Validated before the busy check: an invalid macro is reported as invalid even while
    // another one plays.
    if (const auto issues = InputMacroEngine::validate(macro); !issues.empty()) {
        m_log.log(TarnLogLevel::warn, kCategory,
            fmt::format("Blocked invalid macro '{}' with {} validation issue(s)", macro.name, issues.size()));
        return false;
    }
    auto run = std::make_shared<Run>();
    run->macro = macro;
    run->source = std::string(source);
    run->actions = actionsFor(macro);
    {
        std::lock_guard lock(m_mutex);
        if (!m_isPlaying) {
            m_isPlaying = true;
            m_isCompleting = false;
            run->generation = ++m_generation;
            m_activeRun = run;
            m_task.reset();
        } else {
            run.reset();
        }
    }
    if (!run) {
        m_log.log(TarnLogLevel::warn, kCategory,
            fmt::format("Skipped macro '{}' (source: {}): playback already in progress", macro.name, source));
        return false;
    }
    m_log.log(TarnLogLevel::info, kCategory,
        fmt::format("Starting macro '{}' ({} steps, ~{} ms, source: {})", macro.name, macro.steps.size(),
            InputMacroEngine::estimatedDurationMs(macro), source));
    if (m_onMacroStarted) {
        m_onMacroStarted(macro);
    }
    std::lock_guard lock(m_mutex);
    // A cancel since the check above has already ended this run: nothing is left to schedule.
    if (run->generation == m_generation) {
        schedule(run, 0, std::chrono::nanoseconds {0});
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
    RunPtr run;
    bool wasCompleting = false;
    std::optional<EngineExecutor::TaskId> task;
    {
        std::lock_guard lock(m_mutex);
        ++m_generation;
        m_isPlaying = false;
        run = std::exchange(m_activeRun, nullptr);
        wasCompleting = std::exchange(m_isCompleting, false);
        task = std::exchange(m_task, std::nullopt);
    }
    // Waits only when that task is running right now (posting one key press and release);
    // a task waiting out a pause is simply dropped.
    if (task) {
        m_executor.cancel(*task);
    }
    if (run && !wasCompleting && logCancellation) {
        m_log.log(TarnLogLevel::info, kCategory,
            fmt::format("Cancelled macro '{}' (source: {})", run->macro.name, run->source));
    }
}

std::vector<MacroPlaybackService::Action> MacroPlaybackService::actionsFor(const InputMacro& macro) const
{
    std::vector<Action> actions;
    const auto& steps = macro.steps;
    for (std::size_t index = 0; index < steps.size(); ++index) {
        const bool isLast = index + 1 == steps.size();
        const auto& kind = steps[index].kind;
        if (const auto* keystroke = std::get_if<MacroKeystroke>(&kind)) {
            TapEvent keyDown;
            keyDown.type = TapEventType::keyDown;
            keyDown.keyCode = keystroke->keyCode;
            keyDown.flags = InputMacroEngine::cgEventFlags(keystroke->modifiers);
            keyDown.sourceUserData = m_syntheticMagicTag;
            actions.push_back({keyDown, {}, isLast ? std::chrono::milliseconds {0} : kPauseAfterKeystroke});
        } else if (const auto* delay = std::get_if<MacroDelay>(&kind)) {
            // A delay waits also when it is the last step: the macro counts as playing until then.
            const auto wanted = std::clamp<std::int64_t>(delay->milliseconds, 0, kLongestDelay.count());
            actions.push_back({std::nullopt, {}, std::chrono::milliseconds {wanted}});
        } else {
            const auto pauseAfterText = isLast ? std::chrono::milliseconds {0} : kPauseAfterText;
            auto runs = textRuns(std::get<MacroTypeText>(kind).text);
            if (runs.empty()) {
                actions.push_back({std::nullopt, {}, pauseAfterText});
            }
            for (std::size_t runIndex = 0; runIndex < runs.size(); ++runIndex) {
                const bool isLastRun = runIndex + 1 == runs.size();
                actions.push_back(
                    {std::nullopt, std::move(runs[runIndex]), isLastRun ? pauseAfterText : kPauseBetweenTextRuns});
            }
        }
    }
    return actions;
}

void MacroPlaybackService::schedule(const RunPtr& run, std::size_t index, std::chrono::nanoseconds delay)
{
    m_task = m_executor.scheduleAfter(delay, [this, run, index] { playFrom(run, index); });
}

void MacroPlaybackService::playFrom(const RunPtr& run, std::size_t index)
{
    // Actions without a pause after them (a delay of 0, a keystroke as the last step) run on in
    // this task.
    for (;;) {
        if (index == run->actions.size()) {
            complete(run);
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            if (run->generation != m_generation) {
                return;
            }
        }
        const auto& action = run->actions[index];
        if (action.keyDown) {
            // Down and up go out back to back in one task, so a cancel can never leave the key
            // held down.
            TapEvent keyUp = *action.keyDown;
            keyUp.type = TapEventType::keyUp;
            m_poster.post(*action.keyDown);
            m_poster.post(keyUp);
        } else if (!action.text.empty()) {
            m_poster.postText(action.text, m_syntheticMagicTag);
        }
        ++index;
        if (action.pauseAfter > std::chrono::milliseconds {0}) {
            // Scheduled only after posting: until then `m_task` names this running task, so a
            // cancel or the destructor waits for the posts to finish.
            std::lock_guard lock(m_mutex);
            if (run->generation == m_generation) {
                schedule(run, index, action.pauseAfter);
            }
            return;
        }
    }
}

void MacroPlaybackService::complete(const RunPtr& run)
{
    {
        std::lock_guard lock(m_mutex);
        if (run->generation != m_generation) {
            return;
        }
        m_isCompleting = true;
    }
    m_log.log(
        TarnLogLevel::info, kCategory, fmt::format("Completed macro '{}' (source: {})", run->macro.name, run->source));
    if (m_onMacroCompleted) {
        m_onMacroCompleted(run->macro);
    }
    std::lock_guard lock(m_mutex);
    // Only this run's own state is cleared: a cancel and a newer run may have come meanwhile.
    if (run->generation == m_generation) {
        m_isPlaying = false;
        m_isCompleting = false;
        m_activeRun.reset();
        m_task.reset();
    }
}

} // namespace tarn::input
