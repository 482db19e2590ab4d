#pragma once

// Passes every call to another login-item backend and journals it.

#include <fmt/format.h>

#include "Platform/Fake/App/CallJournal.h"
#include "TarnKit/Foundation/Ports/LoginItemBackend.h"

namespace tarn {

class JournalingLoginItemBackend final : public LoginItemBackend {
public:
    JournalingLoginItemBackend(LoginItemBackend& inner, CallJournal& journal)
        : m_inner(inner)
        , m_journal(journal)
    {
    }

    bool isRegistered() const override
    {
        m_journal.record("login.isRegistered");
        return m_inner.isRegistered();
    }
    bool setRegistered(bool registered) override
    {
        m_journal.record(fmt::format("login.setRegistered {}", registered));
        return m_inner.setRegistered(registered);
    }

private:
    LoginItemBackend& m_inner;
    CallJournal& m_journal;
};

} // namespace tarn
