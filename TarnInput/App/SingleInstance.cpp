#include "TarnInput/App/SingleInstance.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFileSystemWatcher>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QThread>

#include "TarnKit/Foundation/Basics/Result.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tarn::input {

namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kAttempts = 5;
const QByteArray kReopen = "reopen\n";

std::pair<dev_t, ino_t> identityOf(const QString& path)
{
    struct stat info { };
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISSOCK(info.st_mode)) {
        return {};
    }
    return {info.st_dev, info.st_ino};
}

// A listening socket bound to `path`, reachable by this user alone (its folder is private too);
// the system's reason when there is none.
Result<UniqueFd, int> bindListener(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return fail(ENAMETOOLONG);
    }
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    UniqueFd listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!listener || ::bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return fail(errno);
    }
    ::chmod(name.constData(), 0600);
    if (::listen(listener.get(), SOMAXCONN) != 0) {
        const int reason = errno;
        ::unlink(name.constData());
        return fail(reason);
    }
    return listener;
}

// Shortages that pass: trying again a moment later may succeed.
bool isResourceShortage(int error)
{
    return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

} // namespace

struct SingleInstance::Connection {
    UniqueFd fd;
    std::unique_ptr<QSocketNotifier> notifier;
    Subscription deadline;
    QByteArray received;
};

SingleInstance::SingleInstance(QString folder, MainThreadTimers& timers, QObject* parent)
    : QObject(parent)
    , m_folder(std::move(folder))
    , m_socketPath(m_folder.isEmpty() ? QString() : QDir(m_folder).filePath("tarninput.socket"))
    , m_lock(m_folder.isEmpty() ? QString() : QDir(m_folder).filePath("tarninput.lock"))
    , m_timers(timers)
{
    // A lock is stale only when its process is gone, never by age: the program runs for days.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    m_connections.clear();
    stopListening();
}

SingleInstance::Role SingleInstance::claim()
{
    if (m_folder.isEmpty()) {
        return Role::unavailable;
    }
    if (m_lock.tryLock(0)) {
        // Without the socket a later copy cannot reach this one, but this one still runs; the
        // folder is watched, so the socket is made once that is possible.
        listenOrRetry();
        m_folderWatcher = std::make_unique<QFileSystemWatcher>(QStringList {m_folder});
        connect(m_folderWatcher.get(), &QFileSystemWatcher::directoryChanged, this, &SingleInstance::onFolderChanged);
        return Role::primary;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        return Role::unavailable;
    }
    return handOff() ? Role::handedOff : Role::unanswered;
}

void SingleInstance::listenOrRetry()
{
    stopListening();
    // Holding the lock, whatever is left at the socket's path is a dead copy's (or is ours, but
    // no longer reachable).
    ::unlink(QFile::encodeName(m_socketPath).constData());
    auto listener = bindListener(m_socketPath);
    if (!listener) {
        if (isResourceShortage(listener.error())) {
            m_retry = m_timers.scheduleOnce(kRetryDelay, [this] { retry(); });
        }
        return;
    }
    m_listener = std::move(listener).value();
    m_socketIdentity = identityOf(m_socketPath);
    m_listenerNotifier = std::make_unique<QSocketNotifier>(m_listener.get(), QSocketNotifier::Read);
    connect(m_listenerNotifier.get(), &QSocketNotifier::activated, this, &SingleInstance::onListenerReadable);
}

void SingleInstance::stopListening()
{
    m_retry.cancel();
    m_listenerNotifier.reset();
    if (m_listener && socketFileIsOurs()) {
        ::unlink(QFile::encodeName(m_socketPath).constData());
    }
    m_listener.reset();
    m_socketIdentity = {};
}

bool SingleInstance::socketFileIsOurs() const
{
    return m_socketIdentity != std::pair<dev_t, ino_t> {} && identityOf(m_socketPath) == m_socketIdentity;
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

void SingleInstance::onListenerReadable()
{
    acceptPending();
}

void SingleInstance::acceptPending()
{
    while (m_connections.size() < kMaximumConnections) {
        UniqueFd client(::accept4(m_listener.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (client) {
            serve(std::move(client));
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            // Out of descriptors or memory: the caller waits in the system's queue meanwhile.
            m_listenerNotifier->setEnabled(false);
            m_retry = m_timers.scheduleOnce(kRetryDelay, [this] { retry(); });
        }
        return;
    }
    // Full: the others wait in the system's queue until a connection ends.
    m_listenerNotifier->setEnabled(false);
}

void SingleInstance::retry()
{
    m_retry = Subscription();
    if (!socketFileIsOurs()) {
        listenOrRetry();
        return;
    }
    m_listenerNotifier->setEnabled(true);
    acceptPending();
}

void SingleInstance::serve(UniqueFd client)
{
    auto connection = std::make_unique<Connection>();
    auto* raw = connection.get();
    connection->notifier = std::make_unique<QSocketNotifier>(client.get(), QSocketNotifier::Read);
    connection->fd = std::move(client);
    connect(raw->notifier.get(), &QSocketNotifier::activated, this, [this, raw] { onConnectionReadable(raw); });
    connection->deadline = m_timers.scheduleOnce(kConnectionTime, [this, raw] { close(raw); });
    m_connections.push_back(std::move(connection));
}

void SingleInstance::onConnectionReadable(Connection* connection)
{
    // One short request per connection: anything longer ends it unheard.
    std::array<char, 16> buffer {};
    const auto count = ::read(connection->fd.get(), buffer.data(), buffer.size());
    if (count < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) {
        return;
    }
    if (count > 0) {
        connection->received.append(buffer.data(), count);
    }
    const bool ended
        = count <= 0 || connection->received.contains('\n') || connection->received.size() > kReopen.size();
    if (!ended) {
        return;
    }
    const bool reopen = connection->received == kReopen;
    close(connection);
    if (reopen) {
        emit reopenRequested();
    }
}

void SingleInstance::close(Connection* connection)
{
    const auto found = std::find_if(m_connections.begin(), m_connections.end(),
        [connection](const std::unique_ptr<Connection>& held) { return held.get() == connection; });
    if (found == m_connections.end()) {
        return;
    }
    // The notifier may be the one whose signal is being delivered: it goes once control is back.
    (*found)->notifier->setEnabled(false);
    (*found)->notifier.release()->deleteLater();
    m_connections.erase(found);
    if (m_listenerNotifier && !m_retry.isActive()) {
        m_listenerNotifier->setEnabled(true);
    }
}

void SingleInstance::onFolderChanged()
{
    if (!socketFileIsOurs() && !m_retry.isActive()) {
        listenOrRetry();
    }
}

} // namespace tarn::input
