#pragma once

// Passes every call to another permission backend and journals the input-permission checks.

#include "Platform/Fake/App/CallJournal.h"
#include "TarnKit/Foundation/Ports/PermissionBackend.h"

namespace tarn {

class JournalingPermissionBackend final : public PermissionBackend {
public:
    JournalingPermissionBackend(const PermissionBackend& inner, CallJournal& journal)
        : m_inner(inner)
        , m_journal(journal)
    {
    }

    bool isAccessibilityGranted() const override
    {
        const bool granted = m_inner.isAccessibilityGranted();
        m_journal.record(granted ? "permission.check granted" : "permission.check denied");
        return granted;
    }
    bool isScreenRecordingGranted() const override { return m_inner.isScreenRecordingGranted(); }

private:
    const PermissionBackend& m_inner;
    CallJournal& m_journal;
};

} // namespace tarn
