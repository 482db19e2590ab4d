#pragma once

// A clipboard in memory that journals each write.

#include <string>

#include "Platform/Fake/App/CallJournal.h"
#include "TarnInput/ViewModel/Ports/Pasteboard.h"

namespace tarn::input {

class FakePasteboard final : public Pasteboard {
public:
    explicit FakePasteboard(CallJournal& journal)
        : m_journal(journal)
    {
    }

    void setText(const std::string& text) override
    {
        m_journal.record("pasteboard.setText");
        m_text = text;
    }

    const std::string& text() const { return m_text; }

private:
    CallJournal& m_journal;
    std::string m_text;
};

} // namespace tarn::input
