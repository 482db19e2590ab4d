#pragma once

// Remembers how each press of each button was handled, so that its release gets the same verdict.
// Deciding a release afresh can pass a press and swallow its release (or the reverse) when the
// settings or the frontmost application change in between, and a swallowed release of a passed
// press leaves the button held down system-wide.

#include <array>
#include <cstdint>
#include <optional>

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

class PressReleaseLedger {
public:
    void recordPress(std::int64_t buttonNumber, TapVerdict verdict)
    {
        if (auto* slot = find(buttonNumber)) {
            *slot = verdict;
        }
    }

    // The verdict of the matching press, once; none when the press was never seen (it came before
    // the tap existed) — the caller then decides the release by its own rule.
    std::optional<TapVerdict> takeRelease(std::int64_t buttonNumber)
    {
        std::optional<TapVerdict> verdict;
        if (auto* slot = find(buttonNumber)) {
            verdict = *slot;
            slot->reset();
        }
        return verdict;
    }

    void clear() { m_pressVerdicts = {}; }

private:
    static constexpr std::size_t kTrackedButtons = 32;

    std::optional<TapVerdict>* find(std::int64_t buttonNumber)
    {
        if (buttonNumber < 0 || buttonNumber >= static_cast<std::int64_t>(kTrackedButtons)) {
            return nullptr;
        }
        return &m_pressVerdicts[static_cast<std::size_t>(buttonNumber)];
    }

    std::array<std::optional<TapVerdict>, kTrackedButtons> m_pressVerdicts {};
};

} // namespace tarn::input
