#pragma once

// Passes every call to other pointer preferences and journals it.

#include <fmt/format.h>

#include "Platform/Fake/App/CallJournal.h"
#include "TarnInputCore/PointerPreferences/PointerPreferences.h"

namespace tarn::input {

class JournalingPointerPreferences final : public PointerPreferences {
public:
    JournalingPointerPreferences(PointerPreferences& inner, CallJournal& journal)
        : m_inner(inner)
        , m_journal(journal)
    {
    }

    std::optional<PointerPreferenceValue> linear() const override
    {
        m_journal.record("prefs.linear");
        return m_inner.linear();
    }
    std::optional<PointerPreferenceValue> scaling() const override
    {
        m_journal.record("prefs.scaling");
        return m_inner.scaling();
    }
    void setLinear(bool linear) override
    {
        m_journal.record(fmt::format("prefs.setLinear {}", linear));
        m_inner.setLinear(linear);
    }
    void setScaling(double scaling) override
    {
        m_journal.record(fmt::format("prefs.setScaling {}", scaling));
        m_inner.setScaling(scaling);
    }
    bool synchronize() override
    {
        m_journal.record("prefs.synchronize");
        return m_inner.synchronize();
    }
    std::optional<bool> touchpadNaturalScrolling() const override
    {
        m_journal.record("prefs.touchpadNaturalScrolling");
        return m_inner.touchpadNaturalScrolling();
    }
    bool setTouchpadNaturalScrolling(bool natural) override
    {
        m_journal.record(fmt::format("prefs.setTouchpadNaturalScrolling {}", natural));
        return m_inner.setTouchpadNaturalScrolling(natural);
    }

private:
    PointerPreferences& m_inner;
    CallJournal& m_journal;
};

} // namespace tarn::input
