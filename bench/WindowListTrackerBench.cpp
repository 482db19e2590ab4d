// What the Wayland workspace adapters pay per report from the desktop: the window list handed to
// the tracker (ids resolved through the installed desktop entries and the alias table, the
// running list rebuilt, the frontmost cache renewed), and the engine's question afterwards.

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "Platform/Linux/Wayland/WindowListTracker.h"

namespace {

// A busy desktop: thirty windows of twelve applications, some named by desktop entries that
// exist on most systems.
std::vector<tarn::input::DesktopWindow> busyDesktop()
{
    const std::vector<std::string> appIDs {"org.gnome.Nautilus", "firefox-esr", "org.kde.dolphin", "code",
        "google-chrome", "foot", "org.gnome.TextEditor", "blender", "org.telegram.desktop", "thunderbird",
        "org.gnome.Terminal.desktop", "tarninput"};
    std::vector<tarn::input::DesktopWindow> windows;
    for (int i = 0; i < 30; ++i) {
        const auto& appID = appIDs[static_cast<std::size_t>(i) % appIDs.size()];
        windows.push_back({appID, "Document " + std::to_string(i) + " \u2014 " + appID, 1000 + i, false});
    }
    return windows;
}

void BM_WindowListUpdate(benchmark::State& state)
{
    tarn::input::WindowListTracker tracker(tarn::processEnvironment);
    auto windows = busyDesktop();
    std::size_t focused = 0;
    for (auto _ : state) {
        windows[focused].focused = false;
        focused = (focused + 1) % windows.size();
        windows[focused].focused = true;
        tracker.update(windows);
    }
}
BENCHMARK(BM_WindowListUpdate);

void BM_FrontmostFromWindowList(benchmark::State& state)
{
    tarn::input::WindowListTracker tracker(tarn::processEnvironment);
    auto windows = busyDesktop();
    windows[1].focused = true;
    tracker.update(windows);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tracker.frontmost());
    }
}
BENCHMARK(BM_FrontmostFromWindowList);

} // namespace
