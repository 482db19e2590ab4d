#include "TarnKit/Services/TarnProcessRunner.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <optional>

#include "TarnKit/Foundation/Files/UniqueFd.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Services/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tarn {

namespace {

using Clock = std::chrono::steady_clock;

// How long the streams are still read once the child has exited: a process it left running may
// hold them open, and its later output is not awaited beyond this.
constexpr auto kDrainAfterExit = std::chrono::milliseconds(100);
// Without a pidfd the child's exit is looked for this often.
constexpr auto kExitCheckInterval = std::chrono::milliseconds(20);

std::error_code lastError()
{
    return {errno, std::system_category()};
}

// Keeps either everything or only the newest `kTailLimit` bytes.
class CapturedStream {
public:
    explicit CapturedStream(bool keepEverything)
        : m_keepEverything(keepEverything)
    {
    }
    void append(std::string_view bytes)
    {
        m_bytes.append(bytes);
        if (!m_keepEverything && m_bytes.size() > TarnProcessRunner::kTailLimit) {
            m_bytes.erase(0, m_bytes.size() - TarnProcessRunner::kTailLimit);
        }
    }
    std::string take() { return std::move(m_bytes); }

private:
    bool m_keepEverything;
    std::string m_bytes;
};

// Length of an incomplete UTF-8 sequence at the end of `bytes` (0 when it ends on a boundary),
// so a character split between two reads is forwarded whole with the next chunk.
std::size_t incompleteTailLength(std::string_view bytes)
{
    const std::size_t lookBack = std::min<std::size_t>(bytes.size(), 3);
    for (std::size_t back = 1; back <= lookBack; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) {
            continue; // continuation byte: keep looking for the lead byte
        }
        const std::size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needed > back ? back : 0;
    }
    return 0;
}

class OutputForwarder {
public:
    explicit OutputForwarder(const std::function<void(std::string_view)>& onOutput)
        : m_onOutput(onOutput)
    {
    }
    void forward(std::string_view chunk)
    {
        if (!m_onOutput) {
            return;
        }
        m_pending.append(chunk);
        const auto complete = m_pending.size() - incompleteTailLength(m_pending);
        const std::string_view text(m_pending.data(), complete);
        if (!text.empty() && UnicodeText::isValidUtf8(text)) {
            m_onOutput(text);
        }
        m_pending.erase(0, complete);
    }

private:
    const std::function<void(std::string_view)>& m_onOutput;
    std::string m_pending;
};

std::vector<std::string> childEnvironment(const std::map<std::string, std::string>& overrides)
{
    std::map<std::string, std::string> merged;
    for (char** entry = environ; entry && *entry; ++entry) {
        std::string_view text(*entry);
        const auto equals = text.find('=');
        if (equals != std::string_view::npos) {
            merged.emplace(std::string(text.substr(0, equals)), std::string(text.substr(equals + 1)));
        }
    }
    for (const auto& [name, value] : overrides) {
        merged.insert_or_assign(name, value);
    }
    std::vector<std::string> result;
    for (const auto& [name, value] : merged) {
        result.push_back(name + "=" + value);
    }
    return result;
}

struct Pipe {
    UniqueFd read;
    UniqueFd write;
};

std::optional<Pipe> makePipe()
{
    std::array<int, 2> fds {};
    if (::pipe2(fds.data(), O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    return Pipe {UniqueFd(fds[0]), UniqueFd(fds[1])};
}

// Looks for the child's exit without reaping it, so its id stays its own until the runner is done.
bool hasExited(pid_t pid, int options)
{
    siginfo_t info {};
    int result = 0;
    while ((result = ::waitid(P_PID, pid, &info, WEXITED | WNOWAIT | options)) < 0 && errno == EINTR) { }
    return result < 0 || info.si_pid == pid;
}

std::size_t bytesWaiting(int fd)
{
    int count = 0;
    return fd >= 0 && ::ioctl(fd, FIONREAD, &count) == 0 ? static_cast<std::size_t>(count) : 0;
}

std::int32_t statusCode(int status)
{
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? WTERMSIG(status) : status;
}

} // namespace

Result<TarnProcessResult, TarnProcessFailure> TarnProcessRunner::run(const TarnProcessRequest& request)
{
    if (request.cancellation && request.cancellation->isCancelled()) {
        return fail(TarnProcessFailure(TarnProcessError::cancelled()));
    }
    auto out = makePipe();
    auto err = makePipe();
    if (!out || !err) {
        return fail(TarnProcessFailure(lastError()));
    }

    ChildProcessRequest child;
    child.arguments = {request.executable.string()};
    child.arguments.insert(child.arguments.end(), request.arguments.begin(), request.arguments.end());
    child.workingDirectory = request.workingDirectory;
    if (request.environment) {
        child.environment = childEnvironment(*request.environment);
    }
    child.standardOutput = out->write.get();
    child.standardError = err->write.get();
    // A cancel then reaches whatever the child starts.
    child.ownProcessGroup = true;
    const auto spawned = ChildProcess::spawn(child);
    if (!spawned) {
        return fail(TarnProcessFailure(spawned.error()));
    }
    const pid_t pid = spawned.value();
    out->write.reset();
    err->write.reset();
    if (request.cancellation) {
        request.cancellation->attach(pid);
    }
    // Fails on older kernels and in some sandboxes: the exit is then looked for now and then.
    UniqueFd pidfd(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));

    CapturedStream capturedOut(request.captureFullStdout);
    CapturedStream capturedErr(false);
    OutputForwarder forwardOut(request.onOutput);
    OutputForwarder forwardErr(request.onOutput);
    std::optional<Clock::time_point> drainDeadline; // set once the child has exited
    std::array<std::size_t, 2> owed {}; // bytes the streams held when the child exited
    std::array<pollfd, 3> watched {
        pollfd {out->read.get(), POLLIN, 0}, pollfd {err->read.get(), POLLIN, 0}, pollfd {pidfd.get(), POLLIN, 0}};
    std::array<char, 65536> buffer {};
    while (watched[0].fd >= 0 || watched[1].fd >= 0) {
        auto timeout = std::chrono::milliseconds(pidfd ? -1 : kExitCheckInterval.count());
        if (drainDeadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*drainDeadline - Clock::now());
            if (left.count() <= 0 && owed == std::array<std::size_t, 2> {}) {
                break;
            }
            timeout = std::max(left, std::chrono::milliseconds(0));
        }
        if (::poll(watched.data(), watched.size(), static_cast<int>(timeout.count())) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (!drainDeadline && (pidfd ? watched[2].revents != 0 : hasExited(pid, WNOHANG))) {
            // Everything the child wrote is in the pipes now and is read whatever else holds them.
            drainDeadline = Clock::now() + kDrainAfterExit;
            owed = {bytesWaiting(watched[0].fd), bytesWaiting(watched[1].fd)};
            watched[2].fd = -1;
        }
        for (std::size_t stream = 0; stream < 2; ++stream) {
            if (watched[stream].fd < 0 || watched[stream].revents == 0) {
                continue;
            }
            const auto count = ::read(watched[stream].fd, buffer.data(), buffer.size());
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count <= 0) {
                watched[stream].fd = -1;
                owed[stream] = 0;
                continue;
            }
            owed[stream] -= std::min(owed[stream], static_cast<std::size_t>(count));
            const std::string_view chunk(buffer.data(), static_cast<std::size_t>(count));
            if (stream == 0) {
                capturedOut.append(chunk);
                forwardOut.forward(chunk);
            } else {
                capturedErr.append(chunk);
                // What standard error still holds once the child has gone is kept, not streamed.
                if (!drainDeadline) {
                    forwardErr.forward(chunk);
                }
            }
        }
    }

    // A child may close its streams and go on running: keep it cancellable until it has exited.
    hasExited(pid, 0);
    if (request.cancellation) {
        request.cancellation->detach();
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    if (request.cancellation && request.cancellation->isCancelled()) {
        return fail(TarnProcessFailure(TarnProcessError::cancelled()));
    }
    return TarnProcessResult {statusCode(status), capturedOut.take(), capturedErr.take()};
}

} // namespace tarn
