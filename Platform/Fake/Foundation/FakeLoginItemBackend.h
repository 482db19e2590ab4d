#pragma once

// A login item held in memory; a test can make every change fail.

#include "TarnKit/Foundation/Ports/LoginItemBackend.h"

namespace tarn {

class FakeLoginItemBackend final : public LoginItemBackend {
public:
    bool isRegistered() const override { return m_registered; }
    bool setRegistered(bool registered) override
    {
        ++m_changeRequests;
        if (m_failing) {
            return false;
        }
        m_registered = registered;
        return true;
    }

    void setFailing(bool failing) { m_failing = failing; }
    int changeRequests() const { return m_changeRequests; }

private:
    bool m_registered = false;
    bool m_failing = false;
    int m_changeRequests = 0;
};

} // namespace tarn
