// tarn-suite-sibling: plays one sibling application of the family, for the suite's tests and for
// a developer trying the command bus. It holds the application's session-bus name (so the family
// sees it running), listens for the application's commands and writes each one it receives as
// one line of JSON, after a first line "listening <raw value>".
//
//   tarn-suite-sibling --app TarnMemory [--base FOLDER] [--output FILE] [--exit-after N]
//                      [--timeout SECONDS]
//
// --base is the suite folder (default: the user's); --output a file or FIFO to write to instead
// of standard output (a program started from a desktop entry has none to read); --exit-after
// ends after N commands, --timeout after that many seconds whatever happened.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include <fmt/format.h>

#include "Platform/Linux/DBus/SdBusDistributedNotifier.h"
#include "Platform/Linux/DBus/SessionBusNames.h"
#include "Platform/Linux/Suite/LinuxAppEnvironment.h"
#include "TarnKit/Foundation/Files/XdgPaths.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Commands/TarnSuiteCommandBus.h"
#include "TarnKit/Suite/Commands/TarnSuiteDirectory.h"
#include "tools/suitesibling/RunLoop.h"

#include <pthread.h>

namespace {

using namespace tarn;

struct Options {
    TarnSuiteApp app = TarnSuiteApp::tarnMemory;
    std::optional<std::filesystem::path> base;
    std::optional<std::filesystem::path> output;
    std::optional<int> exitAfter;
    std::optional<int> timeoutSeconds;
};

std::optional<int> positiveNumber(std::string_view text)
{
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || value > 1'000'000) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return text.empty() || value == 0 ? std::nullopt : std::optional(value);
}

std::optional<Options> parseOptions(int argc, char** argv)
{
    Options options;
    bool hasApp = false;
    for (int index = 1; index + 1 < argc; index += 2) {
        const std::string_view option = argv[index];
        const std::string_view value = argv[index + 1];
        if (option == "--app") {
            const auto app = tarnSuiteAppFromRawValue(value);
            if (!app) {
                return std::nullopt;
            }
            options.app = *app;
            hasApp = true;
        } else if (option == "--base") {
            options.base = std::filesystem::path(value);
        } else if (option == "--output") {
            options.output = std::filesystem::path(value);
        } else if (option == "--exit-after" && positiveNumber(value)) {
            options.exitAfter = positiveNumber(value);
        } else if (option == "--timeout" && positiveNumber(value)) {
            options.timeoutSeconds = positiveNumber(value);
        } else {
            return std::nullopt;
        }
    }
    return hasApp && argc % 2 == 1 ? std::optional(options) : std::nullopt;
}

// Writes whole lines and flushes each, so that a reader sees every command as it comes.
class LineWriter {
public:
    explicit LineWriter(const std::optional<std::filesystem::path>& path)
        : m_file(path ? std::fopen(path->c_str(), "we") : stdout)
    {
    }
    ~LineWriter()
    {
        if (m_file != nullptr && m_file != stdout) {
            std::fclose(m_file);
        }
    }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    bool isOpen() const { return m_file != nullptr; }
    void write(std::string_view line)
    {
        fmt::print(m_file, "{}\n", line);
        std::fflush(m_file);
    }

private:
    std::FILE* m_file;
};

} // namespace

int main(int argc, char** argv)
{
    const auto options = parseOptions(argc, argv);
    if (!options) {
        fmt::print(stderr,
            "usage: {} --app <raw value> [--base FOLDER] [--output FILE] [--exit-after N] [--timeout SECONDS]\n",
            argc > 0 ? argv[0] : "tarn-suite-sibling");
        return 2;
    }
    // Every thread started from here on inherits the blocked signals; only sigwait below takes them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    LineWriter output(options->output);
    if (!output.isOpen()) {
        fmt::print(stderr, "cannot open {}\n", options->output->string());
        return 1;
    }
    SessionBusNames busNames;
    if (!busNames.claim(bundleIdentifier(options->app))) {
        fmt::print(
            stderr, "cannot hold the session-bus name {}: is it running already?\n", bundleIdentifier(options->app));
        return 1;
    }
    std::string whyNot;
    const auto notifier = SdBusDistributedNotifier::connect(whyNot);
    if (!notifier) {
        fmt::print(stderr, "{}\n", whyNot);
        return 1;
    }
    const auto base = options->base.value_or(TarnSuiteDirectory::at(XdgPaths::fromEnvironment()));
    const auto environment = LinuxAppEnvironment::fromEnvironment();
    RunLoop loop;
    TarnSuiteCommandBus bus({*environment, *notifier, loop, SystemClock::shared()}, base);

    int received = 0;
    const Subscription listening = bus.startListening(options->app, [&](const TarnSuiteCommandEnvelope& command) {
        output.write(command.toJson().value_or("{}"));
        if (options->exitAfter && ++received >= *options->exitAfter) {
            loop.stop();
        }
    });
    output.write(fmt::format("listening {}", rawValue(options->app)));
    if (options->timeoutSeconds) {
        loop.postAfter(std::chrono::seconds(*options->timeoutSeconds), [&loop] { loop.stop(); });
    }
    std::thread([&loop, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        loop.stop();
    }).detach();
    loop.run();
    return 0;
}
