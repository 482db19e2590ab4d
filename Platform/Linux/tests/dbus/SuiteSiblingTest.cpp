// The command bus between two programs: this test sends, and the sibling program (a separate
// process holding the target's session-bus name, or started from the target's desktop entry)
// receives the command and writes it to a FIFO this test reads.

#include <chrono>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"
#include "Platform/Linux/DBus/SdBusDistributedNotifier.h"
#include "Platform/Linux/DBus/SessionBusNames.h"
#include "Platform/Linux/Desktop/DesktopEntrySyntax.h"
#include "Platform/Linux/Suite/LinuxAppEnvironment.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"
#include "TarnKit/Suite/Commands/TarnSuiteCommandBus.h"
#include "tests/TemporaryFolder.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tarn {
namespace {

using namespace std::chrono_literals;

constexpr auto kWait = 10s;

// The read end of a FIFO, opened before the writer so that the writer never blocks, read line
// by line with a deadline.
class FifoReader {
public:
    explicit FifoReader(const std::filesystem::path& path)
    {
        ::mkfifo(path.c_str(), 0600);
        m_fd = UniqueFd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    }

    // The next line, or none when the writer closed or the wait ran out first.
    std::optional<std::string> readLine(std::chrono::milliseconds wait = kWait)
    {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        for (;;) {
            if (const auto end = m_buffer.find('\n'); end != std::string::npos) {
                std::string line = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                return line;
            }
            const auto left
                = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd fd {m_fd.get(), POLLIN, 0};
            if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
                return std::nullopt;
            }
            char chunk[4096];
            const ssize_t count = ::read(m_fd.get(), chunk, sizeof chunk);
            if (count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR)) {
                return std::nullopt; // the writer is gone
            }
            if (count > 0) {
                m_buffer.append(chunk, static_cast<std::size_t>(count));
            }
        }
    }

private:
    UniqueFd m_fd;
    std::string m_buffer;
};

// The sibling program's command line for one application, writing to `output`.
std::vector<std::string> siblingArguments(
    TarnSuiteApp app, const std::filesystem::path& base, const std::filesystem::path& output)
{
    return {TARN_SUITE_SIBLING, "--app", std::string(rawValue(app)), "--base", base.string(), "--output",
        output.string(), "--exit-after", "1", "--timeout", "30"};
}

class SuiteSibling : public ::testing::Test {
protected:
    SuiteSibling()
    {
        std::string whyNot;
        m_notifier = SdBusDistributedNotifier::connect(whyNot);
        EXPECT_TRUE(m_notifier) << whyNot;
        m_environment = std::make_unique<LinuxAppEnvironment>(LinuxAppEnvironment::Parts {
            {m_folder.path() / "data"}, "", ProcessNameLookup(), std::make_unique<SessionBusNames>(), nullptr, {}});
        if (m_notifier) {
            m_bus.emplace(
                TarnSuiteCommandBus::Services {*m_environment, *m_notifier, m_mainThread, SystemClock::shared()},
                base());
        }
    }

    std::filesystem::path base() const { return m_folder.path() / "data" / "Harrowfen" / "SuiteTelemetry"; }
    std::filesystem::path fifo() const { return m_folder.path() / "sibling.out"; }

    // The command the sibling wrote, decoded.
    static std::optional<TarnSuiteCommandEnvelope> received(FifoReader& reader, TarnSuiteApp app)
    {
        EXPECT_EQ(reader.readLine(), "listening " + std::string(rawValue(app)));
        const auto line = reader.readLine();
        return line ? TarnSuiteCommandEnvelope::fromJson(*line) : std::nullopt;
    }

    TemporaryFolder m_folder;
    std::unique_ptr<SdBusDistributedNotifier> m_notifier;
    std::unique_ptr<LinuxAppEnvironment> m_environment;
    ManualMainThreadExecutor m_mainThread;
    std::optional<TarnSuiteCommandBus> m_bus;
};

TEST_F(SuiteSibling, ARunningSiblingIsWokenAndReceivesTheCommand)
{
    ASSERT_TRUE(m_bus);
    FifoReader reader(fifo());
    const auto arguments = siblingArguments(TarnSuiteApp::tarnMemory, base(), fifo());
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t sibling = 0;
    ASSERT_EQ(::posix_spawn(&sibling, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    ASSERT_EQ(reader.readLine(), "listening TarnMemory");
    ASSERT_TRUE(m_environment->isRunning(TarnSuiteApp::tarnMemory)) << "the sibling holds its bus name";

    const auto outcome = m_bus->send(TarnSuiteCommandKind::memoryFreezePID, TarnSuiteApp::tarnInput,
        TarnSuiteApp::tarnMemory, {.targetPID = 4242, .payload = "from the test"});
    EXPECT_EQ(outcome, TarnSuiteCommandBus::SendOutcome::delivered);

    const auto line = reader.readLine();
    ASSERT_TRUE(line) << "the sibling wrote no command";
    const auto command = TarnSuiteCommandEnvelope::fromJson(*line);
    ASSERT_TRUE(command) << *line;
    EXPECT_EQ(command->kind, TarnSuiteCommandKind::memoryFreezePID);
    EXPECT_EQ(command->sourceApp, TarnSuiteApp::tarnInput);
    EXPECT_EQ(command->targetPID, 4242);
    EXPECT_EQ(command->payload, "from the test");
    EXPECT_FALSE(std::filesystem::exists(m_bus->slotPath(TarnSuiteApp::tarnMemory))) << "the sibling took it";

    int status = -1;
    EXPECT_EQ(::waitpid(sibling, &status, 0), sibling);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(SuiteSibling, AnInstalledSiblingIsStartedAndFindsTheCommandWaiting)
{
    ASSERT_TRUE(m_bus);
    FifoReader reader(fifo());
    std::string exec;
    for (const auto& argument : siblingArguments(TarnSuiteApp::tarnSensors, base(), fifo())) {
        exec += (exec.empty() ? "" : " ") + DesktopEntrySyntax::execValue(argument);
    }
    const auto entry = m_folder.path() / "data" / "applications" / "com.harrowfen.tarnsensors.desktop";
    std::filesystem::create_directories(entry.parent_path());
    std::ofstream(entry) << "[Desktop Entry]\nType=Application\nName=Sensors\nExec=" << exec << "\n";
    ASSERT_FALSE(m_environment->isRunning(TarnSuiteApp::tarnSensors));

    const auto outcome = m_bus->send(TarnSuiteCommandKind::sensorsToggleHUD, TarnSuiteApp::tarnInput,
        TarnSuiteApp::tarnSensors, {.launchIfNeeded = true, .bringToFront = true});
    EXPECT_EQ(outcome, TarnSuiteCommandBus::SendOutcome::delivered);

    const auto command = received(reader, TarnSuiteApp::tarnSensors);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->kind, TarnSuiteCommandKind::sensorsToggleHUD);
    EXPECT_EQ(command->targetApp, TarnSuiteApp::tarnSensors);
    EXPECT_EQ(reader.readLine(), std::nullopt) << "the sibling ends after one command";
}

} // namespace
} // namespace tarn
