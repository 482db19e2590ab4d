// Cost of choosing one visible text, which every screen does for every text on every redraw:
// English and Turkish straight from the call site, and German from a pack of realistic size
// through an exact entry, a prefix-indexed template, a suffix-indexed template and a miss.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>
#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "TarnKit/Localization/TarnLocalizationStore.h"
#include "TarnKit/Localization/TarnText.h"

namespace {

namespace fs = std::filesystem;

// A German pack with 400 exact entries and 60 templates in a folder of its own.
class GermanPackFolder {
public:
    GermanPackFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "tarn-bench-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        nlohmann::json strings = nlohmann::json::object();
        for (int index = 0; index < 400; ++index) {
            strings[fmt::format("Interface text number {}", index)] = fmt::format("Oberflächentext Nummer {}", index);
        }
        strings["Restore Default Settings"] = "Standardeinstellungen wiederherstellen";
        nlohmann::json templates = nlohmann::json::object();
        for (int index = 0; index < 30; ++index) {
            templates[fmt::format("Saved item{} {{0}}.", index)] = fmt::format("Element{} {{0}} gespeichert.", index);
            templates[fmt::format("{{0}} of {{1}} thing{}", index)] = fmt::format("{{0}} von {{1}} Ding{}", index);
        }
        templates["Saved profile {0}."] = "Profil {0} gespeichert.";
        templates["{0} of {1} devices"] = "{0} von {1} Geräten";
        nlohmann::json pack {{"code", "de"}, {"strings", strings}, {"templates", templates}};
        std::ofstream(m_path / "de.json") << pack.dump();
    }
    ~GermanPackFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

tarn::TarnLocalizationStore& germanStore()
{
    static GermanPackFolder folder;
    static tarn::TarnLocalizationStore store({folder.path()}, tarn::TarnLocalizationStore::StandardFolders::none());
    store.preloadIfNeeded(tarn::TarnLanguage::de);
    return store;
}

void BM_TarnTextEnglish(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            tarn::tarnText("Restore Default Settings", "Varsayılan Ayarları Geri Yükle", tarn::TarnLanguage::en));
    }
}
BENCHMARK(BM_TarnTextEnglish);

void BM_TarnTextTurkish(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            tarn::tarnText("Restore Default Settings", "Varsayılan Ayarları Geri Yükle", tarn::TarnLanguage::tr));
    }
}
BENCHMARK(BM_TarnTextTurkish);

void BM_GermanExactEntry(benchmark::State& state)
{
    auto& store = germanStore();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.resolve(std::nullopt, "Restore Default Settings", "", tarn::TarnLanguage::de));
    }
}
BENCHMARK(BM_GermanExactEntry);

void BM_GermanPrefixTemplate(benchmark::State& state)
{
    auto& store = germanStore();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.resolve(std::nullopt, "Saved profile Gaming.", "", tarn::TarnLanguage::de));
    }
}
BENCHMARK(BM_GermanPrefixTemplate);

void BM_GermanSuffixTemplate(benchmark::State& state)
{
    auto& store = germanStore();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.resolve(std::nullopt, "2 of 3 devices", "", tarn::TarnLanguage::de));
    }
}
BENCHMARK(BM_GermanSuffixTemplate);

void BM_GermanNonAsciiTemplate(benchmark::State& state)
{
    auto& store = germanStore();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.resolve(std::nullopt, "Saved profile Über·Maus.", "", tarn::TarnLanguage::de));
    }
}
BENCHMARK(BM_GermanNonAsciiTemplate);

void BM_GermanMissFallsBackToEnglish(benchmark::State& state)
{
    auto& store = germanStore();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.resolve(std::nullopt, "Saved nothing here", "", tarn::TarnLanguage::de));
    }
}
BENCHMARK(BM_GermanMissFallsBackToEnglish);

} // namespace
