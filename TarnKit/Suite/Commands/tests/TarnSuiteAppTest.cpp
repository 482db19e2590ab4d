#include "TarnKit/Suite/Commands/TarnSuiteApp.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeAppEnvironment.h"

namespace tarn {
namespace {

TEST(TarnSuiteApp, SiblingRowsKeepTheirPositionsAndSymbols)
{
    struct Row {
        TarnSuiteApp app;
        std::string_view raw;
        std::size_t position; // 1-based
        std::string_view symbol;
    };
    const Row rows[] = {
        {TarnSuiteApp::tarnReaper, "TarnReaper", 1, "xmark.octagon.fill"},
        {TarnSuiteApp::tarnMemory, "TarnMemory", 2, "memorychip.fill"},
        {TarnSuiteApp::tarnSensors, "TarnSensors", 3, "waveform.path.ecg"},
        {TarnSuiteApp::tarnZen, "TarnZen", 7, "timer"},
        {TarnSuiteApp::tarnDock, "TarnDock", 8, "checklist.checked"},
        {TarnSuiteApp::tarnTunes, "TarnTunes", 29, "music.note.list"},
        {TarnSuiteApp::tarnVolume, "TarnVolume", 31, "slider.horizontal.3"},
    };
    const auto& all = allTarnSuiteApps();
    ASSERT_EQ(all.size(), 49u);
    for (const auto& row : rows) {
        EXPECT_EQ(all[row.position - 1], row.app) << row.raw;
        EXPECT_EQ(rawValue(row.app), row.raw);
        EXPECT_EQ(symbolName(row.app), row.symbol);
    }
}

TEST(TarnSuiteApp, EveryRowFollowsTheNamingRules)
{
    std::set<std::string_view> raws;
    for (const TarnSuiteApp app : allTarnSuiteApps()) {
        const std::string_view raw = rawValue(app);
        raws.insert(raw);
        EXPECT_TRUE(raw.starts_with("Tarn")) << raw;
        // Upper camel case of ASCII letters: the case name with its first letter in capitals.
        for (const char c : raw) {
            EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) << raw;
        }
        // Linux keeps 15 bytes of a process name, so a longer raw value could never match one.
        EXPECT_LE(raw.size(), 15u) << raw;
        EXPECT_FALSE(symbolName(app).empty()) << raw;
        EXPECT_EQ(bundleIdentifier(app), "com.harrowfen." + lowercasedRawValue(app));
        EXPECT_EQ(tarnSuiteAppFromRawValue(raw), app);
    }
    EXPECT_EQ(raws.size(), 49u);
    EXPECT_EQ(bundleIdentifier(TarnSuiteApp::tarnMemory), "com.harrowfen.tarnmemory");
    EXPECT_EQ(lowercasedRawValue(TarnSuiteApp::tarnSensors), "tarnsensors");
}

TEST(TarnSuiteApp, OnlyTheExactRawValueNamesARow)
{
    for (const char* text : {"tarnMemory", "tarnmemory", "TARNMEMORY", "TarnMemory ", " TarnMemory", "Memory", ""}) {
        EXPECT_EQ(tarnSuiteAppFromRawValue(text), std::nullopt) << text;
    }
}

struct LaunchCase {
    bool running;
    bool installed;
    bool launched;
    std::vector<std::string> journal;
};

TEST(TarnSuiteApp, LaunchActivatesARunningInstanceElseOpensTheInstalledOne)
{
    const LaunchCase cases[] = {
        {true, true, true, {"activate TarnMemory"}},
        {true, false, true, {"activate TarnMemory"}},
        {false, true, true, {"open /apps/com.harrowfen.tarnmemory.desktop in front"}},
        {false, false, false, {}},
    };
    for (const auto& c : cases) {
        FakeAppEnvironment environment;
        environment.setRunning(TarnSuiteApp::tarnMemory, c.running);
        if (c.installed) {
            environment.install(TarnSuiteApp::tarnMemory, "/apps/com.harrowfen.tarnmemory.desktop");
        }
        EXPECT_EQ(environment.launch(TarnSuiteApp::tarnMemory), c.launched);
        EXPECT_EQ(environment.journal(), c.journal);
        EXPECT_EQ(environment.isInstalled(TarnSuiteApp::tarnMemory), c.installed);
    }
}

TEST(TarnSuiteApp, LaunchReportsAStartThatCouldNotBeRequested)
{
    FakeAppEnvironment environment;
    environment.install(TarnSuiteApp::tarnZen, "/apps/com.harrowfen.tarnzen.desktop");
    environment.setOpensSucceed(false);
    EXPECT_FALSE(environment.launch(TarnSuiteApp::tarnZen));
}

} // namespace
} // namespace tarn
