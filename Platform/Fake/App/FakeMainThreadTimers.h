#pragma once

// Main-thread timers on the virtual clock: they run on the fake engine executor, so one
// `advance` fires the engine's timers and these in time order, on the test's thread.

#include <fmt/format.h>

#include "Platform/Fake/App/CallJournal.h"
#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "TarnInput/ViewModel/Ports/MainThreadTimers.h"

namespace tarn::input {

class FakeMainThreadTimers final : public MainThreadTimers {
public:
    FakeMainThreadTimers(FakeEngineExecutor& executor, CallJournal& journal)
        : m_executor(executor)
        , m_journal(journal)
    {
    }

    Subscription scheduleRepeating(std::chrono::milliseconds period, std::function<void()> tick) override
    {
        m_journal.record(fmt::format("timer.repeating {}ms", period.count()));
        const auto id = m_executor.scheduleRepeating(period, period, std::move(tick));
        return Subscription([this, id] { m_executor.cancel(id); });
    }

    Subscription scheduleOnce(std::chrono::milliseconds delay, std::function<void()> fire) override
    {
        m_journal.record(fmt::format("timer.once {}ms", delay.count()));
        const auto id = m_executor.scheduleAfter(delay, std::move(fire));
        return Subscription([this, id] { m_executor.cancel(id); });
    }

private:
    FakeEngineExecutor& m_executor;
    CallJournal& m_journal;
};

} // namespace tarn::input
