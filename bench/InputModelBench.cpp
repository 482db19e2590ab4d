// The input model on the paths that matter: resolution runs whenever the frontmost application
// or the settings change; load and save run at start-up and on every settings change.

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"
#include "TarnInputCore/Model/Settings/InputConfigStore.h"
#include "TarnKit/Foundation/Json/StrictJson.h"
#include "tests/TemporaryFolder.h"

namespace {

using namespace tarn;
using namespace tarn::input;

InputMacro benchMacro(int index)
{
    return InputMacro {Uuid::random(), fmt::format("Macro {}", index), "Copies, waits, opens a tab and pastes.",
        index % 3 == 0 ? std::optional<std::int64_t>(2 + index % 3) : std::nullopt,
        {MacroStep::keystroke(8, {"cmd"}, "⌘C"), MacroStep::delay(70), MacroStep::keystroke(17, {"cmd"}, "⌘T"),
            MacroStep::delay(110), MacroStep::typeText("https://example.com/")},
        true};
}

// 50 profiles, 50 button rules and `macroCount` macros, for applications "com.example.app<N>".
InputSettings benchSettings(int macroCount)
{
    InputSettings settings;
    for (int index = 0; index < 50; ++index) {
        AppInputProfile profile;
        profile.id = Uuid::random();
        profile.bundleIdentifier = fmt::format("com.example.App{}", index);
        profile.appName = fmt::format("App {}", index);
        profile.smoothScrollOverride = index % 2 == 0;
        profile.scrollSpeedMultiplierOverride = 1.0 + index / 50.0;
        profile.buttonActionOverrides = {{2, MouseButtonAction::closeTab}};
        profile.macroBindings = {{4, Uuid::random()}};
        settings.appProfiles.push_back(std::move(profile));

        settings.appOverrides.push_back(AppButtonRule {Uuid::random(), fmt::format("com.example.Rule{}", index), "Rule",
            kAllMouseButtonKinds[index % 3], MouseButtonAction::zoomIn, true});
    }
    for (int index = 0; index < macroCount; ++index) {
        settings.macros.push_back(benchMacro(index));
    }
    return settings;
}

// The matching profile is the last one, so every profile is compared.
void BM_ResolveLastProfile(benchmark::State& state)
{
    const InputSettings settings = benchSettings(20);
    const std::optional<ApplicationId> bundleID(std::in_place, "com.example.app49");
    const std::optional<std::string> name = "App 49";
    for (auto _ : state) {
        benchmark::DoNotOptimize(AppInputProfileEngine::resolve(bundleID, name, settings));
    }
}
BENCHMARK(BM_ResolveLastProfile);

// No profile matches: every profile, every rule and the exclusion list are looked at.
void BM_ResolveNoProfile(benchmark::State& state)
{
    const InputSettings settings = benchSettings(20);
    const std::optional<ApplicationId> bundleID(std::in_place, "org.example.Unknown");
    const std::optional<std::string> name = "Unknown";
    for (auto _ : state) {
        benchmark::DoNotOptimize(AppInputProfileEngine::resolve(bundleID, name, settings));
    }
}
BENCHMARK(BM_ResolveNoProfile);

// Encoding alone: the value to pretty-printed JSON text, without the file.
void BM_Encode(benchmark::State& state)
{
    const InputSettings settings = benchSettings(50);
    for (auto _ : state) {
        benchmark::DoNotOptimize(StrictJson::dump(settings.toJson(), 2));
    }
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMicrosecond);

// Decoding alone: the file's text to the value.
void BM_Decode(benchmark::State& state)
{
    const std::string text = StrictJson::dump(benchSettings(50).toJson(), 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(InputSettings::fromJson(*StrictJson::parse(text)));
    }
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMicrosecond);

// Encoding and the atomic write, which flushes the file and its folder to disk: the flush
// dominates on a real disk (run with TMPDIR on a tmpfs to see the rest).
void BM_Save(benchmark::State& state)
{
    TemporaryFolder folder;
    FakeClock clock;
    InputConfigStore store(folder.path() / "input-settings.json", clock);
    const InputSettings settings = benchSettings(50);
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.save(settings));
    }
}
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond);

void BM_Load(benchmark::State& state)
{
    TemporaryFolder folder;
    FakeClock clock;
    InputConfigStore store(folder.path() / "input-settings.json", clock);
    if (!store.save(benchSettings(50))) {
        state.SkipWithError("could not write the settings file");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.load());
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);

} // namespace
