#pragma once

// Records what the overlays were asked to show, and journals it ("overlay.push ⇧⌘K bottomCenter 1.6").

#include <string>
#include <vector>

#include <fmt/format.h>

#include "Platform/Fake/App/CallJournal.h"
#include "TarnInput/ViewModel/Ports/OverlayController.h"

namespace tarn::input {

class FakeOverlayController final : public OverlayController {
public:
    struct Push {
        KeyHUDToken token;
        KeyHUDPosition position;
        double durationSeconds;
    };

    explicit FakeOverlayController(CallJournal& journal)
        : m_journal(journal)
    {
    }

    void push(const KeyHUDToken& token, KeyHUDPosition position, double durationSeconds) override
    {
        m_journal.record(fmt::format("overlay.push {} {} {}", token.text, rawValue(position), durationSeconds));
        m_pushes.push_back({token, position, durationSeconds});
    }

    void showClickRipple(const ClickRippleEvent& event) override
    {
        m_journal.record(fmt::format("overlay.ripple {} {} {}", event.screenPoint.x, event.screenPoint.y,
            event.isRightClick ? "right" : "left"));
        m_ripples.push_back(event);
    }

    const std::vector<Push>& pushes() const { return m_pushes; }
    const std::vector<ClickRippleEvent>& ripples() const { return m_ripples; }

private:
    CallJournal& m_journal;
    std::vector<Push> m_pushes;
    std::vector<ClickRippleEvent> m_ripples;
};

} // namespace tarn::input
