// Costs of the kit's small formatting helpers and of hashing a file.

#include <fstream>

#include <benchmark/benchmark.h>

#include "TarnKit/Foundation/Files/TarnChecksum.h"
#include "TarnKit/Foundation/Identity/TarnSemVer.h"
#include "TarnKit/Foundation/Text/TarnByteFormatter.h"
#include "tests/TemporaryFolder.h"

namespace {

void byteFormat(benchmark::State& state)
{
    std::int64_t bytes = 1'536'000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarn::TarnByteFormatter::format(bytes));
        bytes += 7;
    }
}
BENCHMARK(byteFormat);

void semVerParse(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarn::TarnSemVer::parsing(" v12.34.56 "));
    }
}
BENCHMARK(semVerParse);

void sha256OfOneMebibyte(benchmark::State& state)
{
    tarn::TemporaryFolder folder;
    const auto file = folder.path() / "data.bin";
    std::ofstream(file, std::ios::binary) << std::string(1 << 20, 'x');
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarn::TarnChecksum::sha256(file));
    }
    state.SetBytesProcessed(state.iterations() * (1 << 20));
}
BENCHMARK(sha256OfOneMebibyte)->Unit(benchmark::kMicrosecond);

} // namespace
