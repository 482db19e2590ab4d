#include "TarnKit/Services/TarnProcessRunner.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

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

TEST(TarnProcessRunner, CancellingARunningChildEndsItAndFails)
{
    auto request = shell("echo ready; exec sleep 30");
    request.cancellation = std::make_shared<TarnProcessCancellation>();
    std::atomic<bool> ready {false};
    request.onOutput = [&](std::string_view) { ready = true; };
    std::jthread canceller([&] {
        while (!ready) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        request.cancellation->cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    auto result = TarnProcessRunner::run(request);
    ASSERT_FALSE(result.hasValue());
    EXPECT_TRUE(isCancelled(result.error()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(TarnProcessRunner, ACancelArrivingWhileTheChildStartsIsNotLost)
{
    // The child closes its streams and goes on: only the token can end it now.
    auto request = shell("exec >/dev/null 2>&1; exec sleep 30");
    request.cancellation = std::make_shared<TarnProcessCancellation>();
    std::jthread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        request.cancellation->cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    auto result = TarnProcessRunner::run(request);
    ASSERT_FALSE(result.hasValue());
    EXPECT_TRUE(isCancelled(result.error()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
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
