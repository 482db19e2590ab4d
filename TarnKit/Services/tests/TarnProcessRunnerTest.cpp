#include "TarnKit/Services/TarnProcessRunner.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

namespace tarn {
namespace {

TarnProcessRequest shell(std::string script)
{
    TarnProcessRequest request;
    request.executable = "/bin/sh";
    request.arguments = {"-c", std::move(script)};
    return request;
}

TarnProcessResult runOk(const TarnProcessRequest& request)
{
    auto result = TarnProcessRunner::run(request);
    EXPECT_TRUE(result.hasValue());
    return result.hasValue() ? result.value() : TarnProcessResult {};
}

bool isCancelled(const TarnProcessFailure& failure)
{
    auto* error = std::get_if<TarnProcessError>(&failure);
    return error && error->isCancelled();
}

using Clock = std::chrono::steady_clock;

// Makes pidfd_open fail on the calling thread alone, as on older kernels and in some sandboxes.
bool failPidfdsOnThisThread()
{
    std::array<sock_filter, 4> filter {{
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_pidfd_open, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    }};
    sock_fprog program {static_cast<unsigned short>(filter.size()), filter.data()};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// Runs `body` on a thread that blocks the stop signals, as the application does in every thread
// (a child starts with its caller's signal mask), with or without pidfds.
void onCallerThread(bool withoutPidfds, const std::function<void()>& body)
{
    std::jthread caller([&] {
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
            sigaddset(&stopSignals, signal);
        }
        pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
        if (withoutPidfds && !failPidfdsOnThisThread()) {
            ADD_FAILURE() << "seccomp filters are unavailable";
            return;
        }
        body();
    });
}

constexpr std::array kPidfdModes {false, true};

} // namespace

TEST(TarnProcessRunner, KeepsTheTailsOfBothStreamsOrAllOfStandardOutput)
{
    // 100,000 bytes on each stream: digits, so the tail is easy to check.
    const std::string script = "i=0; while [ $i -lt 10000 ]; do printf '%010d' $i; printf '%010d' $i >&2; "
                               "i=$((i+1)); done";
    auto cut = runOk(shell(script));
    ASSERT_EQ(cut.stdoutBytes.size(), 32768u);
    EXPECT_EQ(cut.stdoutBytes.substr(cut.stdoutBytes.size() - 10), "0000009999");
    EXPECT_EQ(cut.stderrBytes.size(), 32768u);

    auto request = shell(script);
    request.captureFullStdout = true;
    auto full = runOk(request);
    ASSERT_EQ(full.stdoutBytes.size(), 100000u);
    EXPECT_EQ(full.stdoutBytes.substr(0, 20), "00000000000000000001");
    EXPECT_EQ(full.stderrBytes.size(), 32768u);
}

TEST(TarnProcessRunner, ReportsTheExitStatusWithoutFailing)
{
    auto result = runOk(shell("echo out; echo err >&2; exit 3"));
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.stdoutString(), "out\n");
    EXPECT_EQ(result.stderrString(), "err\n");
}

TEST(TarnProcessRunner, GivesTheChildNoInputTheWorkingFolderAndTheMergedEnvironment)
{
    TemporaryFolder folder;
    auto request = shell("cat; pwd; echo \"$TARN_A-$HOME\"");
    request.workingDirectory = folder.path();
    request.environment = std::map<std::string, std::string> {{"TARN_A", "set"}};
    auto result = runOk(request);
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    EXPECT_EQ(result.stdoutString(), folder.path().string() + "\nset-" + home + "\n");
}

TEST(TarnProcessRunner, StreamsBothOutputsAndJoinsACharacterSplitBetweenReads)
{
    // "ğ" is two bytes; the pause makes the two halves arrive in separate reads.
    auto request = shell("printf 'a\\304'; sleep 0.2; printf '\\237b'; echo warn >&2");
    std::mutex mutex;
    std::string streamed;
    request.onOutput = [&](std::string_view text) {
        std::lock_guard lock(mutex);
        streamed.append(text);
    };
    auto result = runOk(request);
    EXPECT_EQ(result.stdoutBytes,
        "a\xC4\x9F"
        "b");
    EXPECT_NE(streamed.find("a\xC4\x9F"
                            "b"),
        std::string::npos);
}

TEST(TarnProcessRunner, RepairsInvalidBytesInTextButKeepsTheRawBytes)
{
    auto result = runOk(shell("printf 'x\\377y'"));
    EXPECT_EQ(result.stdoutBytes, "x\xFFy");
    EXPECT_EQ(result.stdoutString(), "x\xEF\xBF\xBDy");
}

TEST(TarnProcessRunner, ACancelledTokenStopsTheRunBeforeAnythingStarts)
{
    TemporaryFolder folder;
    auto request = shell("touch started");
    request.workingDirectory = folder.path();
    request.cancellation = std::make_shared<TarnProcessCancellation>();
    request.cancellation->cancel();
    auto result = TarnProcessRunner::run(request);
    ASSERT_FALSE(result.hasValue());
    EXPECT_TRUE(isCancelled(result.error()));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "started"));
}

TEST(TarnProcessRunner, CancellingARunningChildEndsItAndEverythingItStartedAndFails)
{
    const std::array scripts {
        "echo ready; exec sleep 30",
        // The shell's own child holds the streams: ending the shell alone would not end the run.
        "echo ready; sleep 30; :",
        // Only the token can end a child that has closed its streams.
        "echo ready; exec >/dev/null 2>&1; exec sleep 30",
        // A process that left the child's group keeps the streams, but not the run, open.
        "setsid sleep 3 & echo ready; exec sleep 30",
    };
    for (bool withoutPidfds : kPidfdModes) {
        for (const char* script : scripts) {
            SCOPED_TRACE(testing::Message() << script << (withoutPidfds ? " without pidfds" : ""));
            onCallerThread(withoutPidfds, [&] {
                auto request = shell(script);
                request.cancellation = std::make_shared<TarnProcessCancellation>();
                std::atomic<bool> ready {false};
                request.onOutput = [&](std::string_view) { ready = true; };
                std::jthread canceller([&] {
                    while (!ready) {
                        std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    }
                    request.cancellation->cancel();
                });
                const auto start = Clock::now();
                auto result = TarnProcessRunner::run(request);
                ASSERT_FALSE(result.hasValue());
                EXPECT_TRUE(isCancelled(result.error()));
                EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
            });
        }
    }
}

TEST(TarnProcessRunner, ACancelRacingTheStartAlwaysEndsTheRun)
{
    for (bool withoutPidfds : kPidfdModes) {
        SCOPED_TRACE(withoutPidfds ? "without pidfds" : "with pidfds");
        onCallerThread(withoutPidfds, [] {
            for (int attempt = 0; attempt < 20; ++attempt) {
                auto request = shell("sleep 3; :");
                request.cancellation = std::make_shared<TarnProcessCancellation>();
                std::jthread canceller([&] { request.cancellation->cancel(); });
                const auto start = Clock::now();
                auto result = TarnProcessRunner::run(request);
                ASSERT_FALSE(result.hasValue());
                EXPECT_TRUE(isCancelled(result.error()));
                ASSERT_LT(Clock::now() - start, std::chrono::milliseconds(500)) << "attempt " << attempt;
            }
        });
    }
}

TEST(TarnProcessRunner, AnExitedChildsOutputIsCollectedWholeThoughABackgroundProcessHoldsTheStreams)
{
    struct Case {
        const char* script;
        std::int32_t exitCode;
        std::string stdoutBytes;
    };
    const std::array cases {
        Case {"sleep 3 & echo hi", 0, "hi\n"},
        // More than a pipe holds: the child exits with the pipe full.
        Case {"sleep 3 & head -c 100000 /dev/zero | tr '\\0' x; exit 4", 4, std::string(100000, 'x')},
    };
    for (bool withoutPidfds : kPidfdModes) {
        // A named case, not a structured binding: clang 14 cannot capture a binding in a lambda.
        for (const Case& expected : cases) {
            SCOPED_TRACE(testing::Message() << expected.script << (withoutPidfds ? " without pidfds" : ""));
            onCallerThread(withoutPidfds, [&] {
                auto request = shell(expected.script);
                request.captureFullStdout = true;
                const auto start = Clock::now();
                auto result = runOk(request);
                EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
                EXPECT_EQ(result.exitCode, expected.exitCode);
                EXPECT_EQ(result.stdoutBytes, expected.stdoutBytes);
            });
        }
    }
}

TEST(TarnProcessRunner, AMissingExecutableIsTheSystemsError)
{
    TarnProcessRequest request;
    request.executable = "/nonexistent/tool";
    auto result = TarnProcessRunner::run(request);
    ASSERT_FALSE(result.hasValue());
    auto* code = std::get_if<std::error_code>(&result.error());
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(*code, std::errc::no_such_file_or_directory);
}

} // namespace tarn
