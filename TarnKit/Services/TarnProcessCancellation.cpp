#include "TarnKit/Services/TarnProcessCancellation.h"

#include <csignal>

#include <sys/syscall.h>
#include <unistd.h>

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

void TarnProcessCancellation::attach(int pidfd)
{
    std::lock_guard lock(m_mutex);
    m_pidfd = pidfd;
    if (m_cancelled) {
        terminateAttachedChild();
    }
}

void TarnProcessCancellation::detach()
{
    std::lock_guard lock(m_mutex);
    m_pidfd = -1;
}

void TarnProcessCancellation::terminateAttachedChild()
{
    if (m_pidfd >= 0) {
        // A child that has already exited makes this fail harmlessly.
        // glibc 2.36 declares pidfd_send_signal without C linkage, so call the kernel directly.
        ::syscall(SYS_pidfd_send_signal, m_pidfd, SIGTERM, nullptr, 0);
    }
}

} // namespace tarn
