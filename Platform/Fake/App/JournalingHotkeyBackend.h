#pragma once

// Passes every call to another hotkey backend and journals grabs and releases.

#include <fmt/format.h>

#include "Platform/Fake/App/CallJournal.h"
#include "TarnKit/Foundation/Ports/HotkeyBackend.h"

namespace tarn {

class JournalingHotkeyBackend final : public HotkeyBackend {
public:
    JournalingHotkeyBackend(HotkeyBackend& inner, CallJournal& journal)
        : m_inner(inner)
        , m_journal(journal)
    {
    }

    bool registerHotkey(std::uint32_t id, const TarnHotkeyDescriptor& descriptor) override
    {
        m_journal.record(fmt::format("hotkey.register {}+{}", descriptor.keyCode(), descriptor.carbonModifiers()));
        return m_inner.registerHotkey(id, descriptor);
    }
    void unregisterHotkey(std::uint32_t id) override
    {
        m_journal.record("hotkey.unregister");
        m_inner.unregisterHotkey(id);
    }
    Subscription onPress(PressHandler handler) override { return m_inner.onPress(std::move(handler)); }

private:
    HotkeyBackend& m_inner;
    CallJournal& m_journal;
};

} // namespace tarn
