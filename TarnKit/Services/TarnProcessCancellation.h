#pragma once

// A token shared between a running child process and whoever may cancel it from another thread.
// Cancelling ends the attached child and every process in its group; a token cancelled before the
// child starts stops the run before anything is started, and one cancelled between that check and
// the start ends the child as soon as it is attached, so a cancel is never lost.

#include <mutex>

#include <sys/types.h>

namespace tarn {

class TarnProcessCancellation {
public:
    bool isCancelled() const;
    void cancel();

    // The runner attaches the child, the leader of its own process group, once it has started,
    // and detaches it before reaping it: until then neither its id nor its group's can name
    // another process, so a signal never reaches a recycled id.
    void attach(pid_t child);
    void detach();

private:
    void terminateAttachedChild();

    mutable std::mutex m_mutex;
    bool m_cancelled = false;
    pid_t m_child = 0;
};

} // namespace tarn
