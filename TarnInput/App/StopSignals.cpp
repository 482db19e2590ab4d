#include "TarnInput/App/StopSignals.h"

#include <csignal>

#include <QSocketNotifier>

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace tarn::input {

namespace {

sigset_t stopSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

void StopSignals::blockInEveryThread()
{
    const sigset_t set = stopSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

StopSignals::StopSignals(QObject* parent)
    : QObject(parent)
{
    const sigset_t set = stopSet();
    m_fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_fd >= 0) {
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &StopSignals::onReadable);
    }
}

StopSignals::~StopSignals()
{
    m_notifier.reset();
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void StopSignals::onReadable()
{
    signalfd_siginfo info {};
    while (::read(m_fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        emit stopRequested(static_cast<int>(info.ssi_signo));
    }
}

} // namespace tarn::input
