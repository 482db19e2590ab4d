#include "TarnKit/Foundation/TarnAppLogger.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <thread>

#include <fmt/format.h>

#include "TarnKit/Foundation/BuildInfo.h"
#include "TarnKit/Foundation/FileUrl.h"
#include "TarnKit/Foundation/LogRedactor.h"
#include "TarnKit/Foundation/UnicodeText.h"
#include "TarnKit/Foundation/UniqueFd.h"
#include "TarnKit/Foundation/WholeFile.h"
#include "TarnKit/Foundation/XdgPaths.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tarn {
namespace {

constexpr std::string_view kSubsystemPrefix = "com.harrowfen.";
constexpr std::string_view kSystemLogCategory = "runtime";

std::string describe(std::string_view step, const std::filesystem::path& path, int error)
{
    return fmt::format("{} {}: {}", step, path.string(), std::generic_category().message(error));
}

SystemLogType systemLogType(TarnLogLevel level)
{
    switch (level) {
    case TarnLogLevel::debug:
        return SystemLogType::debug;
    case TarnLogLevel::info:
        return SystemLogType::info;
    case TarnLogLevel::warn:
    case TarnLogLevel::error:
        return SystemLogType::error;
    }
    return SystemLogType::error;
}

TarnAppVersion buildVersion()
{
    // The build's version is fixed for the life of the process, so it is read once.
    static const TarnAppVersion version = TarnAppVersion::current(BuildInfo::current(), "1.0.0", "100");
    return version;
}

void writeToStandardError(std::string_view line)
{
    while (!line.empty()) {
        const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        line.remove_prefix(static_cast<std::size_t>(written));
    }
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Far above the rotation size: a current log file larger than this is not read back.
constexpr std::uintmax_t kLargestReadableLog = 64u << 20;

// Starts a program found in $PATH with its output discarded and returns its exit status, or
// -1 when it could not be started.
int runQuietly(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return -1;
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Asks the desktop's file manager (org.freedesktop.FileManager1) to show the file selected;
// without one, or for a folder, xdg-open opens the folder. The helpers run on a thread of
// their own, so that the caller (the interface) never waits for them.
void revealWithDesktop(const std::filesystem::path& path, bool isFile)
{
    std::thread([path, isFile] {
        if (isFile) {
            const int shown = runQuietly({"dbus-send", "--session", "--print-reply",
                "--dest=org.freedesktop.FileManager1", "--type=method_call", "/org/freedesktop/FileManager1",
                "org.freedesktop.FileManager1.ShowItems", "array:string:" + FileUrl::from(path), "string:"});
            if (shown == 0) {
                return;
            }
        }
        runQuietly({"xdg-open", (isFile ? path.parent_path() : path).string()});
    }).detach();
}

struct Registry {
    std::mutex mutex; // guards `loggers`, held across the construction of a new logger
    std::map<std::string, TarnAppLogger*, std::less<>> loggers;
    // A lock of its own: constructors read it, also while `mutex` is held by shared().
    std::mutex defaultSystemLogMutex;
    std::shared_ptr<SystemLog> defaultSystemLog;
};

// Never destroyed: registered loggers must outlive every static destructor that might log.
Registry& registry()
{
    static Registry* instance = new Registry();
    return *instance;
}

std::shared_ptr<SystemLog> defaultSystemLog()
{
    auto& shared = registry();
    std::lock_guard lock(shared.defaultSystemLogMutex);
    return shared.defaultSystemLog;
}

} // namespace

TarnAppLogger::TarnAppLogger(std::string appName, std::optional<std::filesystem::path> directory,
    std::uint64_t maxFileBytes, int maxRotatedFiles, VersionProvider versionProvider, Services services)
    : m_appName(std::move(appName))
    , m_logDirectory(directory
              ? std::move(*directory)
              : defaultDirectory(m_appName, services.environment ? services.environment : processEnvironment))
    , m_currentLogFile(m_logDirectory / (fileSlug(m_appName) + ".log"))
    , m_maxFileBytes(std::max(maxFileBytes, kMinimumFileBytes))
    , m_maxRotatedFiles(std::max(maxRotatedFiles, 1))
    , m_subsystem(std::string(kSubsystemPrefix) + fileSlug(m_appName))
    , m_systemLog(services.systemLog ? std::move(services.systemLog) : defaultSystemLog())
    , m_versionProvider(versionProvider ? std::move(versionProvider) : VersionProvider(buildVersion))
    , m_clock(services.clock ? *services.clock : SystemClock::shared())
    , m_makeId(services.makeId ? std::move(services.makeId) : std::function<Uuid()>(Uuid::random))
    , m_errorOutput(services.errorOutput ? std::move(services.errorOutput)
                                         : std::function<void(std::string_view)>(writeToStandardError))
    , m_reveal(services.reveal ? std::move(services.reveal)
                               : std::function<void(const std::filesystem::path&, bool)>(revealWithDesktop))
{
}

TarnAppLogger::TarnAppLogger(std::string appName, std::optional<std::filesystem::path> directory,
    std::uint64_t maxFileBytes, int maxRotatedFiles, VersionProvider versionProvider)
    : TarnAppLogger(std::move(appName), std::move(directory), maxFileBytes, maxRotatedFiles, std::move(versionProvider),
        Services {})
{
}

TarnAppLogger& TarnAppLogger::shared(const std::string& appName, VersionProvider versionProvider)
{
    auto& shared = registry();
    // Held across construction, so two first callers cannot build two loggers for one name.
    std::lock_guard lock(shared.mutex);
    if (const auto found = shared.loggers.find(appName); found != shared.loggers.end()) {
        return *found->second;
    }
    auto* logger = new TarnAppLogger(
        appName, std::nullopt, kDefaultMaxFileBytes, kDefaultMaxRotatedFiles, std::move(versionProvider));
    shared.loggers.emplace(appName, logger);
    return *logger;
}

void TarnAppLogger::setDefaultSystemLog(std::shared_ptr<SystemLog> systemLog)
{
    auto& shared = registry();
    std::lock_guard lock(shared.defaultSystemLogMutex);
    shared.defaultSystemLog = std::move(systemLog);
}

std::string TarnAppLogger::fileSlug(std::string_view appName)
{
    std::string slug = UnicodeText::lowercased(appName);
    std::replace(slug.begin(), slug.end(), ' ', '-');
    return slug;
}

std::filesystem::path TarnAppLogger::defaultDirectory(std::string_view appName, const EnvironmentLookup& environment)
{
    return XdgPaths::fromEnvironment(environment).harrowfenState() / std::string(appName) / "logs";
}

std::string TarnAppLogger::redactSecrets(std::string_view text)
{
    return LogRedactor::redact(text);
}

std::string TarnAppLogger::timestampNow() const
{
    using namespace std::chrono;
    // Calendar arithmetic rather than gmtime_r, which takes the C library's time-zone lock.
    const auto now = floor<milliseconds>(m_clock.wallNow());
    const auto day = floor<days>(now);
    const year_month_day date {day};
    const hh_mm_ss time {now - day};
    return fmt::format("{:04}-{:02}-{:02}T{:02}:{:02}:{:02}.{:03}Z", static_cast<int>(date.year()),
        static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), time.hours().count(),
        time.minutes().count(), time.seconds().count(), time.subseconds().count());
}

void TarnAppLogger::log(TarnLogLevel level, std::string_view category, std::string_view message)
{
    // Nothing may escape: a logger that throws would turn a report into a crash.
    try {
        const TarnAppVersion version = m_versionProvider();
        TarnLogEntry entry {m_makeId().toString(), timestampNow(), level, UnicodeText::sanitizedUtf8(category),
            redactSecrets(message), UnicodeText::sanitizedUtf8(version.shortVersion),
            UnicodeText::sanitizedUtf8(version.buildNumber)};

        // The mirror goes out before, and whatever happens to, the file write.
        if (m_systemLog) {
            m_systemLog->write(m_subsystem, kSystemLogCategory, systemLogType(level),
                fmt::format("[{}] {}", entry.category, entry.message));
        }

        std::string line = entry.jsonLine();
        line.push_back('\n');
        std::optional<std::string> failure;
        {
            std::lock_guard lock(m_fileMutex);
            failure = appendLocked(line);
        }
        if (failure) {
            reportFailure(*failure);
        }
    } catch (const std::exception& exception) {
        try {
            reportFailure(exception.what());
        } catch (...) {
        }
    } catch (...) {
        try {
            reportFailure("unknown error");
        } catch (...) {
        }
    }
}

std::optional<std::string> TarnAppLogger::appendLocked(std::string_view line)
{
    // Where this line begins, so that a failed write can be taken back; unknown when negative.
    off_t lineStart = -1;
    UniqueFd fd(::open(m_currentLogFile.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    if (fd) {
        struct stat info { };
        if (::fstat(fd.get(), &info) == 0) {
            lineStart = info.st_size;
            if (static_cast<std::uint64_t>(info.st_size) >= m_maxFileBytes) {
                fd.reset();
                rotateLocked();
            }
        }
    } else if (errno == ENOENT) {
        // The folder is made on demand at every write, so a deleted folder comes back.
        std::error_code error;
        std::filesystem::create_directories(m_logDirectory, error);
        if (error) {
            return describe("cannot create folder", m_logDirectory, error.value());
        }
    } else {
        return describe("cannot open", m_currentLogFile, errno);
    }

    if (!fd) {
        fd = UniqueFd(::open(m_currentLogFile.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
        if (!fd) {
            return describe("cannot create", m_currentLogFile, errno);
        }
        struct stat info { };
        lineStart = ::fstat(fd.get(), &info) == 0 ? info.st_size : -1;
    }

    if (!writeAll(fd.get(), line)) {
        const int reason = errno;
        // A torn line would glue itself to the next entry and lose both, so the file is cut
        // back to where this line began.
        if (lineStart >= 0) {
            [[maybe_unused]] const int ignored = ::ftruncate(fd.get(), lineStart);
        }
        return describe("cannot write", m_currentLogFile, reason);
    }
    // A failed close is ignored: the bytes are already with the kernel.
    fd.close();
    return std::nullopt;
}

std::filesystem::path TarnAppLogger::generation(int index) const
{
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "." + std::to_string().
    std::string name = m_currentLogFile.string();
    name.push_back('.');
    name += std::to_string(index);
    return name;
}

void TarnAppLogger::rotateLocked()
{
    // Failures are ignored: a missing generation is a gap, and writing goes on regardless.
    std::error_code ignored;
    std::filesystem::remove(generation(m_maxRotatedFiles), ignored);
    for (int index = m_maxRotatedFiles - 1; index >= 1; --index) {
        const auto from = generation(index);
        if (std::filesystem::exists(from, ignored)) {
            std::filesystem::rename(from, generation(index + 1), ignored);
        }
    }
    std::filesystem::rename(m_currentLogFile, generation(1), ignored);
}

void TarnAppLogger::reportFailure(std::string_view description) const
{
    m_errorOutput(fmt::format("[TarnAppLogger:{}] write failed: {}\n", m_appName, description));
}

std::vector<TarnLogEntry> TarnAppLogger::recentEntries(int limit, TarnLogLevel minimumLevel) const
{
    std::vector<TarnLogEntry> result;
    if (limit < 1) {
        return result;
    }
    std::optional<std::string> contents;
    {
        // Held while reading only: the lines are decoded after it is released.
        std::lock_guard lock(m_fileMutex);
        auto read = WholeFile::read(m_currentLogFile, kLargestReadableLog);
        if (read) {
            contents = std::move(read).value();
        }
    }
    // A file that is not UTF-8 throughout is unreadable as a whole, not line by line.
    if (!contents || contents->empty() || !UnicodeText::isValidUtf8(*contents)) {
        return result;
    }
    const std::string_view text = *contents;
    std::size_t end = text.size();
    // From the last line back, so that only as many lines are decoded as are needed.
    while (end > 0 && result.size() < static_cast<std::size_t>(limit)) {
        const std::size_t newline = text.rfind('\n', end - 1);
        const std::size_t begin = newline == std::string_view::npos ? 0 : newline + 1;
        const std::string_view line = text.substr(begin, end - begin);
        end = newline == std::string_view::npos ? 0 : newline;
        if (line.empty()) {
            continue;
        }
        auto entry = TarnLogEntry::fromJsonLine(line);
        if (entry && entry->level >= minimumLevel) {
            result.push_back(std::move(*entry));
        }
    }
    return result;
}

std::string TarnAppLogger::exportPlainText(int limit, TarnLogLevel minimumLevel) const
{
    const auto entries = recentEntries(limit, minimumLevel);
    std::string text;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (!text.empty() || entry != entries.rbegin()) {
            text.push_back('\n');
        }
        text += entry->plainTextLine();
    }
    return text;
}

void TarnAppLogger::clear()
{
    std::lock_guard lock(m_fileMutex);
    std::error_code ignored;
    std::filesystem::remove(m_currentLogFile, ignored);
    for (int index = 1; index <= m_maxRotatedFiles; ++index) {
        std::filesystem::remove(generation(index), ignored);
    }
}

void TarnAppLogger::revealInFinder() const
{
    std::error_code error;
    std::filesystem::create_directories(m_logDirectory, error);
    const bool fileExists = std::filesystem::exists(m_currentLogFile, error);
    m_reveal(fileExists ? m_currentLogFile : m_logDirectory, fileExists);
}

} // namespace tarn
