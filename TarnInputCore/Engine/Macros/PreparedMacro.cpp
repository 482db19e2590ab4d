#include "TarnInputCore/Engine/Macros/PreparedMacro.h"

#include <algorithm>
#include <variant>

#include "TarnInputCore/Engine/Macros/InputMacroEngine.h"
#include "TarnKit/Foundation/Text/TextGraphemes.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {

namespace {

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
        while (runUnits + units > PreparedMacro::kTextRunUnits) {
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

// Keys go out unmarked here; playback marks them as it posts them.
std::vector<PreparedMacro::Action> actionsFor(const InputMacro& macro)
{
    using Action = PreparedMacro::Action;
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
            actions.push_back(
                {keyDown, {}, isLast ? std::chrono::milliseconds {0} : PreparedMacro::kPauseAfterKeystroke});
        } else if (const auto* delay = std::get_if<MacroDelay>(&kind)) {
            // A delay waits also when it is the last step: the macro counts as playing until then.
            const auto wanted = std::clamp<std::int64_t>(delay->milliseconds, 0, PreparedMacro::kLongestDelay.count());
            actions.push_back({std::nullopt, {}, std::chrono::milliseconds {wanted}});
        } else {
            const auto pauseAfterText = isLast ? std::chrono::milliseconds {0} : PreparedMacro::kPauseAfterText;
            auto runs = textRuns(std::get<MacroTypeText>(kind).text);
            if (runs.empty()) {
                actions.push_back({std::nullopt, {}, pauseAfterText});
            }
            for (std::size_t runIndex = 0; runIndex < runs.size(); ++runIndex) {
                const bool isLastRun = runIndex + 1 == runs.size();
                actions.push_back({std::nullopt, std::move(runs[runIndex]),
                    isLastRun ? pauseAfterText : PreparedMacro::kPauseBetweenTextRuns});
            }
        }
    }
    return actions;
}

} // namespace

std::shared_ptr<const PreparedMacro> PreparedMacro::make(const InputMacro& macro)
{
    auto prepared = std::make_shared<PreparedMacro>();
    prepared->m_macro = macro;
    prepared->m_validationIssueCount = InputMacroEngine::validate(macro).size();
    prepared->m_estimatedDurationMs = InputMacroEngine::estimatedDurationMs(macro);
    if (macro.isEnabled && prepared->m_validationIssueCount == 0) {
        prepared->m_actions = actionsFor(macro);
    }
    return prepared;
}

} // namespace tarn::input
