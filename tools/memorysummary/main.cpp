// tarninput-memory-summary: prints the virtual-memory summary of the machine it runs on, as the
// suite's views would show it, so that a developer can compare it with free, swapon and
// /proc/pressure/memory. A fresh status of the memory application in the user's suite folder is
// merged as the telemetry bus merges it. With --mount-root the memory application's sparse disks
// are looked for below another folder than the user's udisks one.

#include <cstdio>
#include <string>
#include <string_view>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "TarnKit/Foundation/Files/XdgPaths.h"
#include "TarnKit/Foundation/Text/NumberText.h"
#include "TarnKit/Foundation/Text/TarnByteFormatter.h"
#include "TarnKit/Suite/Commands/TarnSuiteDirectory.h"
#include "TarnKit/Suite/Memory/Disks/PosixFileSystemProbe.h"
#include "TarnKit/Suite/Memory/VirtualMemorySummaryReader.h"
#include "TarnKit/Suite/Records/Rules/SignalProcessProbe.h"
#include "TarnKit/Suite/Telemetry/TarnSuiteTelemetryBus.h"

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

std::string bytes(std::int64_t count)
{
    return TarnByteFormatter::format(count);
}

std::string percent(double value)
{
    return NumberText::roundedWhole(value) + " %";
}

std::string names(const std::vector<std::string>& list)
{
    return list.empty() ? std::string() : fmt::format(" ({})", fmt::join(list, ", "));
}

void print(const TarnVirtualMemorySummary& s)
{
    fmt::print("Physical memory   {} used of {} ({})\n", bytes(s.physicalUsedBytes), bytes(s.physicalTotalBytes),
        percent(s.physicalUsedPercent()));
    fmt::print("Compressed        {}\n", bytes(s.compressedBytes));
    fmt::print("Swap              {} used of {} ({}), {}\n", bytes(s.swapUsedBytes), bytes(s.swapTotalBytes),
        percent(s.swapUsedPercent()), s.swapEncrypted ? "encrypted" : "not encrypted");
    fmt::print("Swap files        {}\n", s.swapFileCount);
    fmt::print("Pressure          {}\n", s.pressureLevel);
    fmt::print("TarnMemory        {}\n", s.isTarnMemoryRunning ? "running" : "not running");
    fmt::print("Disk pools        {}: {} offered, {} on disk{}\n", s.activeDiskPoolCount, bytes(s.diskPoolVirtualBytes),
        bytes(s.diskPoolActualDiskBytes), names(s.diskPoolNames));
    fmt::print("Sparse disks      {}: {} capacity, {} used{}\n", s.mountedSparseDiskCount,
        bytes(s.sparseDiskVirtualBytes), bytes(s.sparseDiskActualBytes), names(s.sparseDiskNames));
    fmt::print(
        "RAM disks         {}: {}{}\n", s.mountedRAMDiskCount, bytes(s.ramDiskTotalBytes), names(s.ramDiskNames));
    fmt::print("Frozen apps       {}: {} reclaimed{}\n", s.frozenAppCount, bytes(s.reclaimedFromFrozenBytes),
        s.frozenPIDs.empty() ? std::string() : fmt::format(" (PIDs {})", fmt::join(s.frozenPIDs, ", ")));
    fmt::print("Virtual space     {} ({})\n", s.virtualSpaceUsageText(), percent(s.virtualUsedPercent()));
    fmt::print("Effective memory  {} used of {}\n", bytes(s.totalEffectiveUsedBytes()),
        bytes(s.totalEffectiveMemoryCapacityBytes()));
    fmt::print("Token             {}\n", s.compactVirtualUsedToken());
    fmt::print("Badge             {}\n", s.compactBadgeText().empty() ? "(none)" : s.compactBadgeText());
}

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
    print(bus.readVirtualMemorySummary(SystemClock::shared().wallNow()));
    return 0;
}
