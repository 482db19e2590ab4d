#pragma once

// Answers for the processes a test says are alive; every other identifier names no process.

#include <cstdint>
#include <set>

#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"

namespace tarn {

class FakeProcessProbe final : public ProcessProbe {
public:
    bool isAlive(std::int32_t pid) const override { return m_alive.contains(pid); }

    void setAlive(std::int32_t pid, bool alive)
    {
        if (alive) {
            m_alive.insert(pid);
        } else {
            m_alive.erase(pid);
        }
    }

private:
    std::set<std::int32_t> m_alive;
};

} // namespace tarn
