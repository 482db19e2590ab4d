#include "TarnKit/Services/TarnProcessCancellation.h"

#include <csignal>

#include <sys/types.h>

namespace tarn {

bool TarnProcessCancellation::isCancelled() const
{
    std::lock_guard lock(m_mutex);
    return m_cancelled;
}

void TarnProcessCancellation::cancel()
{
    std::lock_guard lock(m_mutex);
    m_cancelled = true;
    terminateAttachedChild();
}

void TarnProcessCancellation::attach(pid_t child)
{
    std::lock_guard lock(m_mutex);
    m_child = child;
    if (m_cancelled) {
        terminateAttachedChild();
    }
}

void TarnProcessCancellation::detach()
{
    std::lock_guard lock(m_mutex);
    m_child = 0;
}

void TarnProcessCancellation::terminateAttachedChild()
{
    if (m_child > 0) {
        // The group holds what the child started, which may hold its output streams open; the
        // child itself is signalled too in case it has left the group. Processes that have
        // already exited make this fail harmlessly.
        ::kill(-m_child, SIGTERM);
        ::kill(m_child, SIGTERM);
    }
}

} // namespace tarn
