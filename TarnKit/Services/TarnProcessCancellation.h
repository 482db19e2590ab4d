#pragma once

// A token shared between a running child process and whoever may cancel it from another thread.
// Cancelling ends the attached child; a token cancelled before the child starts stops the run
// before anything is started, and one cancelled between that check and the start ends the child
// as soon as it is attached, so a cancel is never lost.

#include <mutex>

namespace tarn {

class TarnProcessCancellation {
public:
    bool isCancelled() const;
    void cancel();

    // The runner attaches the child (as a pidfd, so a signal can never reach a recycled process
    // id) once it has started, and detaches it before the descriptor is closed.
    void attach(int pidfd);
    void detach();

private:
    void terminateAttachedChild();

    mutable std::mutex m_mutex;
    bool m_cancelled = false;
    int m_pidfd = -1;
};

} // namespace tarn
