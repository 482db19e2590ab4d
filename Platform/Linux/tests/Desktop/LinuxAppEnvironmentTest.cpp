#include "Platform/Linux/Suite/LinuxAppEnvironment.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

#include <unistd.h>

namespace tarn {
namespace {

using Arguments = std::vector<std::string>;

// A home and a system data folder with their entries, and a process folder, for one test.
class LinuxAppEnvironmentTest : public ::testing::Test {
protected:
    std::filesystem::path home() const { return m_folder.path() / "home"; }
    std::filesystem::path system() const { return m_folder.path() / "system"; }
    std::filesystem::path proc() const { return m_folder.path() / "proc"; }

    std::filesystem::path install(const std::filesystem::path& dataFolder, const std::string& fileName,
        const std::string& body = "[Desktop Entry]\nType=Application\nName=Memory\nExec=tarnmemory\n")
    {
        const auto path = dataFolder / "applications" / fileName;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << body;
        return path;
    }
    void runProcess(int number, const std::string& name)
    {
        std::filesystem::create_directories(proc() / std::to_string(number));
        std::ofstream(proc() / std::to_string(number) / "comm") << name << "\n";
    }
    LinuxAppEnvironment environment(std::uint32_t user = ::getuid())
    {
        return LinuxAppEnvironment({{home(), system()}, "tr_TR.UTF-8", ProcessNameLookup(proc(), user), nullptr,
            nullptr, [this](const Arguments& arguments) {
                m_started.push_back(arguments);
                return m_startSucceeds;
            }});
    }

    TemporaryFolder m_folder;
    std::vector<Arguments> m_started;
    bool m_startSucceeds = true;
};

TEST_F(LinuxAppEnvironmentTest, InstalledMeansTheEntryNamedAfterTheBundleIdentifierAndTheHomeCopyWins)
{
    auto env = environment();
    EXPECT_EQ(env.installedLocation(TarnSuiteApp::tarnMemory), std::nullopt);
    EXPECT_FALSE(env.isInstalled(TarnSuiteApp::tarnMemory));

    const auto systemEntry = install(system(), "com.harrowfen.tarnmemory.desktop");
    EXPECT_EQ(env.installedLocation(TarnSuiteApp::tarnMemory), systemEntry);
    const auto homeEntry = install(home(), "com.harrowfen.tarnmemory.desktop");
    EXPECT_EQ(env.installedLocation(TarnSuiteApp::tarnMemory), homeEntry);
    EXPECT_FALSE(env.isInstalled(TarnSuiteApp::tarnSensors));
}

TEST_F(LinuxAppEnvironmentTest, OnlyTheExactFileNameCounts)
{
    install(system(), "com.harrowfen.TarnMemory.desktop");
    install(system(), "TarnMemory.desktop");
    install(system(), "com/harrowfen/tarnmemory.desktop");
    EXPECT_FALSE(environment().isInstalled(TarnSuiteApp::tarnMemory));
}

TEST_F(LinuxAppEnvironmentTest, AHomeEntryThatHidesTheApplicationRemovesIt)
{
    install(system(), "com.harrowfen.tarnzen.desktop");
    install(home(), "com.harrowfen.tarnzen.desktop", "[Desktop Entry]\nType=Application\nHidden=true\n");
    EXPECT_FALSE(environment().isInstalled(TarnSuiteApp::tarnZen));
    install(home(), "com.harrowfen.tarnzen.desktop", "[Desktop Entry]\nType=Link\nURL=https://example.org\n");
    EXPECT_FALSE(environment().isInstalled(TarnSuiteApp::tarnZen));
}

TEST_F(LinuxAppEnvironmentTest, RunningMeansAProcessOfThisUserCalledByTheRawValueLetterCaseAside)
{
    runProcess(4000, "bash");
    runProcess(4100, "tarnmemory");
    runProcess(4200, "TarnSensorsX");
    std::filesystem::create_directories(proc() / "self");
    std::ofstream(proc() / "self" / "comm") << "TarnZen\n";

    auto env = environment();
    EXPECT_TRUE(env.isRunning(TarnSuiteApp::tarnMemory));
    EXPECT_FALSE(env.isRunning(TarnSuiteApp::tarnSensors));
    EXPECT_FALSE(env.isRunning(TarnSuiteApp::tarnZen)) << "only numbered entries are processes";
    EXPECT_FALSE(environment(::getuid() + 1).isRunning(TarnSuiteApp::tarnMemory)) << "another user's process";
}

TEST(ProcessNameLookup, FindsTheLowestNumberAndSkipsWhatItCannotRead)
{
    TemporaryFolder folder;
    for (const int number : {900, 77, 1200}) {
        std::filesystem::create_directories(folder.path() / std::to_string(number));
        std::ofstream(folder.path() / std::to_string(number) / "comm") << "TarnReaper\n";
    }
    std::filesystem::create_directories(folder.path() / "12");
    std::filesystem::create_directories(folder.path() / "0");
    std::ofstream(folder.path() / "0" / "comm") << "TarnReaper\n";
    EXPECT_EQ(ProcessNameLookup(folder.path(), ::getuid()).find("TARNREAPER"), 77);
    EXPECT_EQ(ProcessNameLookup(folder.path() / "missing", ::getuid()).find("TarnReaper"), std::nullopt);
}

TEST(ProcessNameLookup, FindsThisProcessInTheRealProcessFolder)
{
    std::ifstream comm("/proc/self/comm");
    std::string name;
    ASSERT_TRUE(std::getline(comm, name));
    const auto found = ProcessNameLookup().find(name);
    ASSERT_TRUE(found.has_value());
    EXPECT_LE(*found, ::getpid());
}

TEST_F(LinuxAppEnvironmentTest, ActivatingNeedsARunningInstance)
{
    auto env = environment();
    EXPECT_FALSE(env.activateRunning(TarnSuiteApp::tarnMemory));
    runProcess(4100, "TarnMemory");
    EXPECT_TRUE(env.activateRunning(TarnSuiteApp::tarnMemory)) << "without a window system, nothing more is done";
    EXPECT_TRUE(m_started.empty());
}

TEST_F(LinuxAppEnvironmentTest, OpeningStartsTheEntrysCommandLineWithoutFiles)
{
    const auto entry = install(system(), "com.harrowfen.tarnmemory.desktop",
        "[Desktop Entry]\nType=Application\nName=Memory\nName[tr]=Bellek\nIcon=tarn-memory\n"
        "Exec=\"/opt/Tarn Memory/TarnMemory\" --from %k --title %c %i %U\n");
    auto env = environment();
    EXPECT_TRUE(env.open(entry, false));
    EXPECT_EQ(m_started,
        (std::vector<Arguments> {
            {"/opt/Tarn Memory/TarnMemory", "--from", entry.string(), "--title", "Bellek", "--icon", "tarn-memory"}}));
}

TEST_F(LinuxAppEnvironmentTest, OpeningFailsForEntriesWithNothingToStart)
{
    const struct {
        const char* body;
        bool startSucceeds;
    } cases[] = {
        {"[Desktop Entry]\nType=Application\nName=M\n", true}, // no Exec
        {"[Desktop Entry]\nType=Application\nName=M\nExec=\"/opt/open quote\n", true},
        {"[Desktop Entry]\nType=Application\nName=M\nExec=run %x\n", true},
        {"[Desktop Entry]\nType=Application\nHidden=true\nExec=run\n", true},
        {"[Desktop Entry]\nType=Application\nName=M\nExec=run\n", false}, // the program did not start
    };
    for (const auto& c : cases) {
        m_started.clear();
        m_startSucceeds = c.startSucceeds;
        const auto entry = install(system(), "com.harrowfen.tarnmemory.desktop", c.body);
        EXPECT_FALSE(environment().open(entry, true)) << c.body;
        EXPECT_EQ(m_started.size(), c.startSucceeds ? 0u : 1u) << c.body;
    }
    EXPECT_FALSE(environment().open(system() / "applications" / "missing.desktop", true));
}

TEST_F(LinuxAppEnvironmentTest, LaunchOpensAnInstalledApplicationThatIsNotRunning)
{
    install(home(), "com.harrowfen.tarndock.desktop", "[Desktop Entry]\nType=Application\nName=Dock\nExec=tarndock\n");
    auto env = environment();
    EXPECT_TRUE(env.launch(TarnSuiteApp::tarnDock));
    EXPECT_EQ(m_started, (std::vector<Arguments> {{"tarndock"}}));
    runProcess(300, "TarnDock");
    EXPECT_TRUE(env.launch(TarnSuiteApp::tarnDock));
    EXPECT_EQ(m_started.size(), 1u) << "a running instance is never started twice";
}

} // namespace
} // namespace tarn
