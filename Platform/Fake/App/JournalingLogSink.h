#pragma once

// Passes every line to another sink and journals it as "log <level> <category> <message>".

#include <fmt/format.h>

#include "Platform/Fake/App/CallJournal.h"
#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn {

class JournalingLogSink final : public LogSink {
public:
    JournalingLogSink(LogSink& inner, CallJournal& journal)
        : m_inner(inner)
        , m_journal(journal)
    {
    }

    void log(TarnLogLevel level, std::string_view category, std::string_view message) override
    {
        m_journal.record(fmt::format("log {} {} {}", rawValue(level), category, message));
        m_inner.log(level, category, message);
    }

private:
    LogSink& m_inner;
    CallJournal& m_journal;
};

} // namespace tarn
