#pragma once

// Passes every call to another workspace and journals the view model's questions.

#include "Platform/Fake/App/CallJournal.h"
#include "TarnInputCore/Engine/Ports/Workspace.h"

namespace tarn::input {

class JournalingWorkspace final : public Workspace {
public:
    JournalingWorkspace(Workspace& inner, CallJournal& journal)
        : m_inner(inner)
        , m_journal(journal)
    {
    }

    FrontmostApplication frontmostApplication() const override
    {
        m_journal.record("workspace.frontmost");
        return m_inner.frontmostApplication();
    }
    std::vector<RunningApplication> runningApplications() const override
    {
        m_journal.record("workspace.running");
        return m_inner.runningApplications();
    }
    Subscription subscribeActivation(ActivationHandler handler) override
    {
        m_journal.record("workspace.subscribeActivation");
        return m_inner.subscribeActivation(std::move(handler));
    }

private:
    Workspace& m_inner;
    CallJournal& m_journal;
};

} // namespace tarn::input
