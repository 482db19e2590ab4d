#pragma once

// Keeps the program to one running copy per user session. The first copy holds a lock file and
// listens on a local socket in the runtime folder; a later copy finds the lock taken, asks the
// first over the socket to show its studio window, and should then exit. A lock left by a copy
// that died is taken over.

#include <memory>

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

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
        // No lock can be kept here (the folder is not writable); this copy runs on its own.
        unavailable,
    };

    // `folder` holds the lock and the socket: the runtime folder by default.
    explicit SingleInstance(QString folder = defaultFolder(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR, or a folder of this user's own under the temporary folder.
    static QString defaultFolder();

    // Becomes the running copy, or hands the reopen request to the one that runs.
    Role claim();

signals:
    // A later launch asked for the studio window.
    void reopenRequested();

private:
    void listen();
    bool handOff();
    void onNewConnection();

    QString m_socketPath;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace tarn::input
