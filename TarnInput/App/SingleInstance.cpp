#include "TarnInput/App/SingleInstance.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>
#include <thread>

#include <QDir>
#include <QFileSystemWatcher>
#include <QSocketNotifier>

#include "TarnKit/Foundation/Basics/Result.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tarn::input {

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int kAttempts = 5;
constexpr std::chrono::milliseconds kAttemptPause {100};
// Accepted per wake-up at most, so that a flood of connections cannot hold the interface thread:
// the rest wait for the next turn of the event loop.
constexpr int kAcceptsPerWake = 64;
const QByteArray kReopen = "reopen\n";
const QByteArray kAnswer = "ok\n";

std::pair<dev_t, ino_t> identityOf(const QString& path)
{
    struct stat info { };
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISSOCK(info.st_mode)) {
        return {};
    }
    return {info.st_dev, info.st_ino};
}

std::optional<sockaddr_un> socketAddress(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    return address;
}

// Makes room for the socket at `path`. Whoever holds the lock is the only copy that listens, so
// whatever is there was left by a copy that died or put there since: a file of any kind is
// unlinked, and a folder of the user's own is removed with what it holds (it would otherwise
// keep every later launch from reaching this one). Anything else stays, and binding then fails.
void clearSocketPath(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info { };
    if (::lstat(name.constData(), &info) != 0) {
        return;
    }
    if (!S_ISDIR(info.st_mode)) {
        ::unlink(name.constData());
    } else if (info.st_uid == ::geteuid()) {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(name.toStdString()), ignored);
    }
}

// A listening socket bound to `path`, reachable by this user alone (its folder is private too);
// the system's reason when there is none.
Result<UniqueFd, int> bindListener(const QString& path)
{
    const auto address = socketAddress(path);
    if (!address) {
        return fail(ENAMETOOLONG);
    }
    UniqueFd listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!listener || ::bind(listener.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        return fail(errno);
    }
    const QByteArray name = QFile::encodeName(path);
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

// Whether `fd` became ready for `events` (or failed) before `deadline`.
bool waitUntil(int fd, short events, SteadyClock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
        pollfd entry {fd, events, 0};
        const int ready
            = ::poll(&entry, 1, static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

enum class Request {
    // The running copy answered that it takes the request.
    delivered,
    // Nobody listens (yet), or the queue of connections is full.
    notConnected,
    // Connected, but the deadline passed or the connection ended without that answer.
    unanswered,
};

// Asks the copy listening at `path` to reopen its studio window. Only its answer counts: bytes
// the system has buffered may never be read.
Request askToReopen(const QString& path, SteadyClock::time_point deadline)
{
    const auto address = socketAddress(path);
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!address || !fd || ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        return Request::notConnected;
    }
    // A fresh connection's buffer takes the few bytes at once.
    if (::send(fd.get(), kReopen.constData(), static_cast<std::size_t>(kReopen.size()), MSG_NOSIGNAL)
        != kReopen.size()) {
        return Request::unanswered;
    }
    QByteArray answer;
    std::array<char, 16> buffer {};
    while (!answer.contains('\n') && answer.size() <= kAnswer.size() && waitUntil(fd.get(), POLLIN, deadline)) {
        const auto count = ::read(fd.get(), buffer.data(), buffer.size());
        if (count < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        answer.append(buffer.data(), count);
    }
    return answer == kAnswer ? Request::delivered : Request::unanswered;
}

SingleInstance::Role handOff(const QString& socketPath)
{
    const auto deadline = SteadyClock::now() + SingleInstance::kAnswerTime;
    // The running copy may have just taken the lock and not yet be listening.
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        switch (askToReopen(socketPath, deadline)) {
        case Request::delivered:
            return SingleInstance::Role::handedOff;
        case Request::unanswered:
            return SingleInstance::Role::unanswered;
        case Request::notConnected:
            break;
        }
        std::this_thread::sleep_for(kAttemptPause);
    }
    return SingleInstance::Role::unanswered;
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
    return handOff(m_socketPath);
}

void SingleInstance::listenOrRetry()
{
    stopListening();
    clearSocketPath(m_socketPath);
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

void SingleInstance::onListenerReadable()
{
    acceptPending();
}

void SingleInstance::acceptPending()
{
    for (int accepted = 0; accepted < kAcceptsPerWake;) {
        UniqueFd client(::accept4(m_listener.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (client) {
            if (m_connections.size() == kMaximumConnections) {
                // The oldest has had the longest to speak: it makes room for the newcomer.
                close(m_connections.front().get());
            }
            serve(std::move(client));
            ++accepted;
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
    // A later launch writes its request as soon as it connects: it is usually here already.
    onConnectionReadable(raw);
}

void SingleInstance::onConnectionReadable(Connection* connection)
{
    // One short request per connection: anything longer ends it unheard. Only what has arrived is
    // read; the rest, if any, wakes this again.
    std::array<char, 16> buffer {};
    for (;;) {
        const auto count = ::read(connection->fd.get(), buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        }
        if (count <= 0) {
            break;
        }
        connection->received.append(buffer.data(), count);
        if (connection->received.contains('\n') || connection->received.size() > kReopen.size()) {
            break;
        }
    }
    const bool reopen = connection->received == kReopen;
    if (reopen) {
        // Answered before the window opens, so the launch that asked ends at once. A launch that
        // has gone meanwhile is no error.
        static_cast<void>(::send(connection->fd.get(), kAnswer.constData(), static_cast<std::size_t>(kAnswer.size()),
            MSG_NOSIGNAL | MSG_DONTWAIT));
    }
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
}

void SingleInstance::onFolderChanged()
{
    if (!socketFileIsOurs() && !m_retry.isActive()) {
        listenOrRetry();
    }
}

} // namespace tarn::input
