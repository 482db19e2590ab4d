#include "TarnInput/App/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace tarn::input {

namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kAttempts = 5;
const QByteArray kReopen = "reopen\n";

} // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent)
    , m_socketPath(QDir(folder).filePath("tarninput.socket"))
    , m_lock(QDir(folder).filePath("tarninput.lock"))
{
    // A lock is stale only when its process is gone, never by age: the program runs for days.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        return runtime;
    }
    const QString own = QDir(QDir::tempPath()).filePath(QStringLiteral("tarninput-%1").arg(::getuid()));
    QDir().mkpath(own);
    QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return own;
}

SingleInstance::Role SingleInstance::claim()
{
    if (m_lock.tryLock(0)) {
        // Without the socket a later copy cannot reach this one, but this one still runs.
        listen();
        return Role::primary;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        return Role::unavailable;
    }
    return handOff() ? Role::handedOff : Role::unanswered;
}

void SingleInstance::listen()
{
    // Holding the lock, any socket file left here is a dead copy's.
    QLocalServer::removeServer(m_socketPath);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    static_cast<void>(m_server->listen(m_socketPath));
}

bool SingleInstance::handOff()
{
    // The running copy may have just taken the lock and not yet be listening.
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(kConnectTimeoutMs)) {
            socket.write(kReopen);
            const bool sent = socket.waitForBytesWritten(kConnectTimeoutMs);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Only the one short request is read; anything longer is dropped with the connection.
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kReopen.size()) {
                    socket->abort();
                }
                return;
            }
            const QByteArray line = socket->readLine(kReopen.size() + 1);
            socket->abort();
            if (line == kReopen) {
                emit reopenRequested();
            }
        });
    }
}

} // namespace tarn::input
