#include "TarnKit/Services/ChildProcess.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <string>
#include <thread>
#include <utility>

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Files/UniqueFd.h"
#include "tests/TemporaryFolder.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarn {
namespace {

struct Outcome {
    std::string output;
    int exitStatus = -1;
};

// Starts the request with its standard output in a pipe, then reads it to the end and reaps the
// child (its exit closes the pipe, so the wait is for the process, not for a timer).
Outcome runToEnd(ChildProcessRequest request)
{
    std::array<int, 2> fds {};
    if (::pipe2(fds.data(), O_CLOEXEC) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    UniqueFd readEnd(fds[0]);
    UniqueFd writeEnd(fds[1]);
    request.standardOutput = writeEnd.get();
    const auto spawned = ChildProcess::spawn(request);
    writeEnd.reset();
    if (!spawned) {
        ADD_FAILURE() << spawned.error().message();
        return {};
    }
    Outcome outcome;
    std::array<char, 4096> buffer {};
    for (;;) {
        const auto count = ::read(readEnd.get(), buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        outcome.output.append(buffer.data(), static_cast<std::size_t>(count));
    }
    int status = 0;
    while (::waitpid(spawned.value(), &status, 0) < 0 && errno == EINTR) { }
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

ChildProcessRequest shell(std::string script)
{
    ChildProcessRequest request;
    request.arguments = {"/bin/sh", "-c", std::move(script)};
    return request;
}

// Runs `body` on a thread that blocks the stop signals, as the program does in every thread, while
// this process ignores SIGINT and SIGQUIT (a shell that started the program in the background
// does that).
template <typename Body> void withStopSignalsBlockedAndIgnored(const Body& body)
{
    struct sigaction ignore { };
    ignore.sa_handler = SIG_IGN;
    struct sigaction oldInterrupt { };
    struct sigaction oldQuit { };
    ::sigaction(SIGINT, &ignore, &oldInterrupt);
    ::sigaction(SIGQUIT, &ignore, &oldQuit);
    std::jthread caller([&body] {
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            sigaddset(&stopSignals, signal);
        }
        pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
        body();
    });
    caller.join();
    ::sigaction(SIGINT, &oldInterrupt, nullptr);
    ::sigaction(SIGQUIT, &oldQuit, nullptr);
}

// The child's blocked and ignored signals, from its /proc status ("SigBlk:\t<hex>").
std::pair<std::uint64_t, std::uint64_t> childSignalMasks(const std::string& status)
{
    const auto field = [&status](const std::string& name) -> std::uint64_t {
        const auto at = status.find(name + ":\t");
        return at == std::string::npos ? ~std::uint64_t {0}
                                       : std::stoull(status.substr(at + name.size() + 2), nullptr, 16);
    };
    return {field("SigBlk"), field("SigIgn")};
}

TEST(ChildProcess, AChildStartsWithNoSignalBlockedOrIgnored)
{
    // The C library's own signals above 31 are its business (it ignores them in a new child).
    constexpr std::uint64_t kStandardSignals = 0x7FFFFFFF;
    for (const bool ownProcessGroup : {false, true}) {
        withStopSignalsBlockedAndIgnored([ownProcessGroup] {
            auto request = shell("grep -E '^Sig(Blk|Ign):' /proc/self/status");
            request.ownProcessGroup = ownProcessGroup;
            const auto [blocked, ignored] = childSignalMasks(runToEnd(request).output);
            EXPECT_EQ(blocked, 0U) << ownProcessGroup;
            EXPECT_EQ(ignored & kStandardSignals, 0U) << ownProcessGroup;
        });
    }
}

TEST(ChildProcess, AChildInheritsOnlyItsStandardStreams)
{
    // Opened without close-on-exec, as a library might.
    const UniqueFd leaked(::open("/dev/null", O_RDONLY));
    ASSERT_TRUE(leaked);
    const auto outcome = runToEnd(shell("test -e /proc/self/fd/" + std::to_string(leaked.get())
        + " && echo open;"
          "read line || echo empty; test -e /proc/self/fd/2 && echo stderr"));
    EXPECT_EQ(outcome.output, "empty\nstderr\n");
}

TEST(ChildProcess, LeadsItsOwnProcessGroupOnlyWhenAsked)
{
    for (const bool ownProcessGroup : {false, true}) {
        // The fifth field of /proc/<pid>/stat is the process group.
        auto request = shell("set -- $(cat /proc/$$/stat); [ \"$5\" = \"$$\" ] && echo leader || echo member");
        request.ownProcessGroup = ownProcessGroup;
        EXPECT_EQ(runToEnd(request).output, ownProcessGroup ? "leader\n" : "member\n");
    }
}

TEST(ChildProcess, TakesTheWorkingFolderTheEnvironmentAndThePath)
{
    TemporaryFolder folder;
    auto request = shell("pwd; echo \"$ONLY\"; test -z \"$HOME\" && echo no-home");
    request.workingDirectory = folder.path();
    request.environment = std::vector<std::string> {"ONLY=this", "PATH=/usr/bin:/bin"};
    EXPECT_EQ(runToEnd(request).output, folder.path().string() + "\nthis\nno-home\n");

    ChildProcessRequest byName;
    byName.arguments = {"sh", "-c", "exit 3"};
    byName.searchPath = true;
    EXPECT_EQ(runToEnd(byName).exitStatus, 3);
}

TEST(ChildProcess, AProgramThatCannotStartIsTheSystemsError)
{
    ChildProcessRequest missing;
    missing.arguments = {"tarn-no-such-program"};
    missing.searchPath = true;
    const auto notFound = ChildProcess::spawn(missing);
    ASSERT_FALSE(notFound);
    EXPECT_EQ(notFound.error(), std::error_code(ENOENT, std::system_category()));

    missing.searchPath = false;
    EXPECT_FALSE(ChildProcess::spawn(missing));
    EXPECT_FALSE(ChildProcess::spawn(ChildProcessRequest {}));
}

} // namespace
} // namespace tarn
