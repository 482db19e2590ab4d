// The studio rescans the connected pointing devices every 3.5 seconds on the main thread, so a full
// scan (sysfs walk, descriptor parsing, brand and category, battery look-up, sort) must stay far
// below a frame. Measured on the three-device fixture tree.

#include <filesystem>

#include <benchmark/benchmark.h>

#include "Platform/Linux/Devices/SysfsPointerDeviceSource.h"
#include "TarnInputCore/Devices/HIDDeviceInventoryService.h"
#include "TarnInputCore/Devices/USBVendorRegistry.h"

namespace {

const std::filesystem::path kFixtureRoot
    = std::filesystem::path(TARN_SOURCE_ROOT) / "Platform/Linux/tests/data/sysfs-three-devices";

void fullScanOfThreeDevices(benchmark::State& state)
{
    tarn::SysfsPointerDeviceSource source(kFixtureRoot);
    for (auto _ : state) {
        auto devices = tarn::input::HIDDeviceInventoryService::discoverPointerDevices(source);
        if (devices.size() != 3) {
            state.SkipWithError("the fixture tree did not list three devices");
            break;
        }
        benchmark::DoNotOptimize(devices);
    }
}
BENCHMARK(fullScanOfThreeDevices)->Unit(benchmark::kMicrosecond);

void hardwareReportOfThreeDevices(benchmark::State& state)
{
    tarn::SysfsPointerDeviceSource source(kFixtureRoot);
    const auto devices = tarn::input::HIDDeviceInventoryService::discoverPointerDevices(source);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarn::input::USBVendorRegistry::formatHardwareReport(devices));
    }
}
BENCHMARK(hardwareReportOfThreeDevices)->Unit(benchmark::kMicrosecond);

} // namespace
