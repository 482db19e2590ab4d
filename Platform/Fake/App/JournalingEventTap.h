#pragma once

// Passes every call to another event tap and journals creation, enabling and destruction.

#include "Platform/Fake/App/CallJournal.h"
#include "TarnInputCore/Engine/Ports/EventTap.h"

namespace tarn::input {

class JournalingEventTap final : public EventTap {
public:
    JournalingEventTap(EventTap& inner, CallJournal& journal)
        : m_inner(inner)
        , m_journal(journal)
    {
    }

    bool create(std::uint64_t eventMask, EventTapHandler& handler) override
    {
        const bool created = m_inner.create(eventMask, handler);
        m_journal.record(created ? "tap.create" : "tap.create refused");
        return created;
    }
    void enable() override
    {
        m_journal.record("tap.enable");
        m_inner.enable();
    }
    // Not journaled: the engine wakes its tap for requests, which are no lifecycle step.
    void wake() override { m_inner.wake(); }
    void destroy() override
    {
        m_journal.record("tap.destroy");
        m_inner.destroy();
    }

private:
    EventTap& m_inner;
    CallJournal& m_journal;
};

} // namespace tarn::input
