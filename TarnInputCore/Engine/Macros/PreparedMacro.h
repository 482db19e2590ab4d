#pragma once

// A macro made ready to play: validated once and cut into the events playback posts, each with
// the pause after it, so that playing it needs no check, no copy and no allocation. The engine
// makes one for each macro bound to a button when it publishes the settings, and one for each
// macro the studio asks it to play. Immutable; whoever plays it shares it.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TarnInputCore/Engine/TapEvent.h"
#include "TarnInputCore/Model/Macros/InputMacro.h"

namespace tarn::input {

class PreparedMacro {
public:
    // Between a keystroke and the next step, a typed text and the next step, and two runs of one
    // typed text. A delay step waits its own value, at most `kLongestDelay`.
    static constexpr std::chrono::milliseconds kPauseAfterKeystroke {14};
    static constexpr std::chrono::milliseconds kPauseAfterText {12};
    static constexpr std::chrono::milliseconds kPauseBetweenTextRuns {8};
    static constexpr std::chrono::milliseconds kLongestDelay {10'000};
    // Typed text goes out in runs of at most this many UTF-16 units, cut between characters.
    static constexpr std::size_t kTextRunUnits = 16;

    // One thing to post, then the pause before the next.
    struct Action {
        std::optional<TapEvent> keyDown; // posted with its key-up right after, never apart
        std::string text; // a typed run, when not empty
        std::chrono::milliseconds pauseAfter {0};
    };

    static std::shared_ptr<const PreparedMacro> make(const InputMacro& macro);

    const InputMacro& macro() const { return m_macro; }
    // Playback refuses a macro with any.
    std::size_t validationIssueCount() const { return m_validationIssueCount; }
    std::int64_t estimatedDurationMs() const { return m_estimatedDurationMs; }
    // Empty for a macro that is disabled or has issues: it is never played.
    const std::vector<Action>& actions() const { return m_actions; }

private:
    InputMacro m_macro;
    std::size_t m_validationIssueCount = 0;
    std::int64_t m_estimatedDurationMs = 0;
    std::vector<Action> m_actions;
};

} // namespace tarn::input
