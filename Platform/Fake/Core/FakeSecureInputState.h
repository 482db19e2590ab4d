#pragma once

// Secure input a test switches on and off; safe to flip from another thread.

#include <atomic>

#include "TarnInputCore/Engine/Ports/SecureInputState.h"

namespace tarn::input {

class FakeSecureInputState final : public SecureInputState {
public:
    bool isSecureInputActive() const override
    {
        ++m_queries;
        return m_active.load();
    }
    void setActive(bool active) { m_active = active; }
    int queryCount() const { return m_queries.load(); }

private:
    std::atomic<bool> m_active {false};
    mutable std::atomic<int> m_queries {0};
};

} // namespace tarn::input
