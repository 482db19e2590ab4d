// The application logger's own cost: one log call (with redaction and the file append) and one
// rotation. The system-log mirror goes to a sink that does nothing, so the journal's cost is
// not counted.

#include <fstream>

#include <benchmark/benchmark.h>

#include "TarnKit/Foundation/Logging/LogRedactor.h"
#include "TarnKit/Foundation/Logging/QueuedLogSink.h"
#include "TarnKit/Foundation/Logging/TarnAppLogger.h"
#include "tests/TemporaryFolder.h"

namespace {

using namespace tarn;

class NullSystemLog final : public SystemLog {
public:
    void write(std::string_view, std::string_view, SystemLogType, std::string_view) override { }
};

TarnAppLogger makeLogger(const std::filesystem::path& folder, std::uint64_t maxFileBytes)
{
    TarnAppLogger::Services services;
    services.systemLog = std::make_shared<NullSystemLog>();
    return TarnAppLogger(
        "TarnInput", folder, maxFileBytes, 5,
        [] {
            return TarnAppVersion {"1.0.0", "100"};
        },
        std::move(services));
}

// A typical engine line, with a secret in it so that a rule replaces something.
constexpr std::string_view kMessage
    = "Swallowed bounce of button 0 on /dev/input/event7 (Logitech G Pro) after 18 ms, token=abc123def";

void BM_LogOneLine(benchmark::State& state)
{
    TemporaryFolder folder;
    // The default threshold: now and then a call rotates, as in use.
    auto logger = makeLogger(folder.path(), TarnAppLogger::kDefaultMaxFileBytes);
    for (auto _ : state) {
        logger.log(TarnLogLevel::warn, "debounce", kMessage);
    }
}
BENCHMARK(BM_LogOneLine)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The common case: nothing in the message looks like a secret, so the rules are skipped.
void BM_LogOneLineWithoutSecret(benchmark::State& state)
{
    TemporaryFolder folder;
    auto logger = makeLogger(folder.path(), TarnAppLogger::kDefaultMaxFileBytes);
    for (auto _ : state) {
        logger.log(TarnLogLevel::warn, "debounce", "Swallowed bounce of button 0 on /dev/input/event7 after 18 ms");
    }
}
BENCHMARK(BM_LogOneLineWithoutSecret)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What the caller pays when the line goes through the queue to the writer thread (the engine's
// case on the input thread). The writer is given time to catch up every 256 lines, untimed, so
// that no line is dropped.
void BM_LogOneLineThroughTheQueue(benchmark::State& state)
{
    TemporaryFolder folder;
    auto logger = makeLogger(folder.path(), TarnAppLogger::kDefaultMaxFileBytes);
    QueuedLogSink queue(logger);
    std::uint64_t lines = 0;
    for (auto _ : state) {
        queue.log(TarnLogLevel::warn, "debounce", kMessage);
        if (++lines % 256 == 0) {
            state.PauseTiming();
            queue.flush();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_LogOneLineThroughTheQueue)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RedactOnly(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(LogRedactor::redact(kMessage));
    }
}
BENCHMARK(BM_RedactOnly)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One log call that finds the live file at the threshold and all five generations present:
// drop the oldest, shift four, move the live file, start a new one.
void BM_LogWithRotation(benchmark::State& state)
{
    TemporaryFolder folder;
    auto logger = makeLogger(folder.path(), TarnAppLogger::kMinimumFileBytes);
    const std::string full(TarnAppLogger::kMinimumFileBytes, 'x');
    const auto live = logger.currentLogFile();
    for (int index = 1; index <= 5; ++index) {
        std::ofstream(live.string() + "." + std::to_string(index)) << "generation";
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(live, std::ios::trunc) << full;
        state.ResumeTiming();
        logger.log(TarnLogLevel::info, "tap", kMessage);
    }
}
BENCHMARK(BM_LogWithRotation)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What the log sheet does on every reload: the newest 120 entries of a full 2 MiB file.
void BM_RecentEntriesFullFile(benchmark::State& state)
{
    TemporaryFolder folder;
    auto logger = makeLogger(folder.path(), 64ULL * 1024 * 1024);
    while (std::filesystem::exists(logger.currentLogFile()) == false
        || std::filesystem::file_size(logger.currentLogFile()) < TarnAppLogger::kDefaultMaxFileBytes) {
        logger.log(TarnLogLevel::info, "tap", kMessage);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(logger.recentEntries(120, TarnLogLevel::debug));
    }
}
BENCHMARK(BM_RecentEntriesFullFile)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
