#pragma once

// Keeps the program to one running copy per user session. The first copy holds a lock file and
// listens on a local socket in a folder private to the user (SingleInstanceFolder); a later copy
// finds the lock taken, asks the first over the socket to show its studio window, and exits once
// the first has answered that it will. A lock left by a copy that died is taken over, and so is
// whatever such a copy (or anything else of the user's) left where the socket goes.
//
// Nothing that connects can wear the listener down or hold up a later launch: every connection
// is accepted as soon as it comes, read without waiting and answered at once; one that says
// nothing is let go after kConnectionTime, or sooner when more than kMaximumConnections are held
// (the oldest goes first). When the system runs out of descriptors or memory it tries again a
// moment later instead of giving up, and when its socket file disappears it makes it anew. The
// interface thread never waits on a connection.

#include <chrono>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include <QLockFile>
#include <QObject>
#include <QString>

#include "TarnInput/ViewModel/Ports/MainThreadTimers.h"
#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <sys/types.h>

class QFileSystemWatcher;
class QSocketNotifier;

namespace tarn::input {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role {
        // This copy runs the program.
        primary,
        // The running copy took the request; this one should exit.
        handedOff,
        // A live copy holds the lock but does not answer; running a second engine beside it
        // would reshape every event twice, so this one should exit too.
        unanswered,
        // No lock can be kept here (no folder, or one that is not writable); this copy runs on
        // its own.
        unavailable,
    };

    static constexpr std::size_t kMaximumConnections = 16;
    static constexpr std::chrono::milliseconds kConnectionTime {1500};
    // How soon accepting is tried again after the system ran out of descriptors or memory.
    static constexpr std::chrono::milliseconds kRetryDelay {250};
    // How long a later launch waits for the running copy to answer its request.
    static constexpr std::chrono::milliseconds kAnswerTime {3000};

    // `folder` holds the lock and the socket (empty: there is none to be had); `timers` end
    // connections that take too long and pace the retries. Both must outlive this object.
    SingleInstance(QString folder, MainThreadTimers& timers, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running copy, or hands the reopen request to the one that runs. Handing off
    // waits for the running copy's answer, kAnswerTime at most.
    Role claim();

signals:
    // A later launch asked for the studio window.
    void reopenRequested();

private:
    struct Connection;

    // Listens on a new socket; when the system is short of descriptors or memory, tries again
    // after kRetryDelay.
    void listenOrRetry();
    void stopListening();
    void onListenerReadable();
    void acceptPending();
    // kRetryDelay after a shortage: accepts again, or listens anew when the socket is gone.
    void retry();
    void serve(UniqueFd client);
    void onConnectionReadable(Connection* connection);
    void close(Connection* connection);
    // Makes the socket anew when its file is gone or is no longer the one listened on.
    void onFolderChanged();
    bool socketFileIsOurs() const;

    QString m_folder;
    QString m_socketPath;
    QLockFile m_lock;
    MainThreadTimers& m_timers;
    UniqueFd m_listener;
    std::unique_ptr<QSocketNotifier> m_listenerNotifier;
    // The socket file's device and inode once bound, to tell it from one that replaced it.
    std::pair<dev_t, ino_t> m_socketIdentity {};
    // Oldest first.
    std::vector<std::unique_ptr<Connection>> m_connections;
    Subscription m_retry;
    std::unique_ptr<QFileSystemWatcher> m_folderWatcher;
};

} // namespace tarn::input
