// tarninput-memory-summary: prints the virtual-memory summary of the machine it runs on, as the
// suite's views would show it, so that a developer can compare it with free, swapon and
// /proc/pressure/memory. A fresh status of the memory application in the user's suite folder is
// merged as the telemetry bus merges it. With --mount-root the memory application's sparse disks
// are looked for below another folder than the user's udisks one.
//
// A kernel source that is there but cannot be read (and a missing /proc/meminfo) is an error: the
// program names it on standard error and exits with 1 instead of printing figures made of zeros.

#include <cstdio>
#include <string>
#include <string_view>

#include <fmt/format.h>

#include "TarnKit/Foundation/Files/XdgPaths.h"
#include "TarnKit/Suite/Commands/TarnSuiteDirectory.h"
#include "TarnKit/Suite/Memory/Disks/PosixFileSystemProbe.h"
#include "TarnKit/Suite/Memory/VirtualMemorySummaryReader.h"
#include "TarnKit/Suite/Records/Rules/SignalProcessProbe.h"
#include "TarnKit/Suite/Telemetry/TarnSuiteTelemetryBus.h"
#include "tools/memorysummary/SummaryReport.h"

namespace {

using namespace tarn;

// The program only reads: it posts no notice and observes none, so it needs no session bus and
// no main loop.
class NoNotices final : public DistributedNotifier {
public:
    bool post(std::string_view, const std::optional<std::string>&) override { return false; }
    Subscription observe(std::string, Handler) override { return {}; }
};

class NoMainLoop final : public MainThreadExecutor {
public:
    void post(std::function<void()>) override { }
    void postAfter(std::chrono::milliseconds, std::function<void()>) override { }
};

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path mountRoot = SparseDiskLocations::defaultMountRoot();
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--mount-root" && index + 1 < argc) {
            mountRoot = argv[++index];
        } else {
            fmt::print(stderr, "usage: {} [--mount-root <folder>]\n", argv[0]);
            return 2;
        }
    }
    const auto paths = XdgPaths::fromEnvironment();
    const PosixFileSystemProbe fileSystem;
    const VirtualMemorySummaryReader reader(
        KernelMemorySources::thisMachine(), SparseDiskLocations::forUser(paths, mountRoot), fileSystem);
    NoNotices notices;
    NoMainLoop mainLoop;
    const SignalProcessProbe processes;
    const TarnSuiteTelemetryBus bus({notices, mainLoop, processes, reader}, TarnSuiteDirectory::at(paths));
    // As the bus builds its summary, keeping what could not be read.
    const auto reading = reader.readChecked(
        bus.readMemoryStatus(SystemClock::shared().wallNow(), TarnSuiteTelemetryBus::kMemorySummaryMaxAgeSeconds));
    if (!reading.problems.empty()) {
        for (const auto& problem : reading.problems) {
            fmt::print(stderr, "{}: {}\n", SummaryReport::printable(argv[0]), SummaryReport::printable(problem));
        }
        return 1;
    }
    fmt::print("{}", SummaryReport::text(reading.summary));
    return 0;
}
