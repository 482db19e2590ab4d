#include "TarnKit/Foundation/Logging/TarnAppLogger.h"

#include <algorithm>
#include <cerrno>
#include <map>

#include <fmt/format.h>

#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"
#include "TarnKit/Foundation/Files/XdgPaths.h"
#include "TarnKit/Foundation/Identity/BuildInfo.h"
#include "TarnKit/Foundation/Logging/LogRedactor.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// At most kMaximumMessageBytes of valid UTF-8: cut before a character that would cross the
// bound, with an ellipsis in place of the rest.
std::string boundedMessage(std::string message)
{
    if (message.size() <= TarnAppLogger::kMaximumMessageBytes) {
        return message;
    }
    constexpr std::string_view kEllipsis = "\u2026";
    std::size_t cut = TarnAppLogger::kMaximumMessageBytes - kEllipsis.size();
    while (cut > 0 && (static_cast<unsigned char>(message[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    message.resize(cut);
    message += kEllipsis;
    return message;
}

// Far above the rotation size: a current log file larger than this is not read back.
constexpr std::uintmax_t kLargestReadableLog = 64u << 20;

// Never follows a link and never blocks: a FIFO opens at once and is then refused as not a
// regular file.
constexpr int kSafeOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// Opens the live file and checks that it is a regular file of this user; the failure's
// description otherwise.
Result<UniqueFd, std::string> openOwnRegularFile(const std::filesystem::path& path, int flags, mode_t mode = 0)
{
    UniqueFd fd(::open(path.c_str(), flags | kSafeOpenFlags, mode));
    if (!fd) {
        const int reason = errno;
        // What these two mean here: a link refused by O_NOFOLLOW, a FIFO without a reader.
        if (reason == ELOOP) {
            return fail(fmt::format("{} is a symbolic link", path.string()));
        }
        if (reason == ENXIO) {
            return fail(fmt::format("{} is not a regular file", path.string()));
        }
        return fail(describe("cannot open", path, reason));
    }
    struct stat info { };
    if (::fstat(fd.get(), &info) != 0) {
        return fail(describe("cannot examine", path, errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return fail(fmt::format("{} is not a regular file", path.string()));
    }
    if (info.st_uid != ::geteuid()) {
        return fail(fmt::format("{} belongs to another user", path.string()));
    }
    return fd;
}

// The whole file, or nothing when it cannot be opened or read or is larger than the limit.
std::optional<std::string> readWholeFile(const std::filesystem::path& path)
{
    auto opened = openOwnRegularFile(path, O_RDONLY);
    if (!opened) {
        return std::nullopt;
    }
    const UniqueFd fd = std::move(opened).value();
    struct stat info { };
    std::string contents;
    if (::fstat(fd.get(), &info) == 0 && info.st_size > 0) {
        contents.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (got == 0) {
            return contents;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
        if (contents.size() > kLargestReadableLog) {
            return std::nullopt;
        }
    }
}

struct Registry {
    std::mutex mutex; // guards `loggers`, held across the construction of a new logger
    std::map<std::string, TarnAppLogger*, std::less<>> loggers;
    // A lock of its own: constructors read them, also while `mutex` is held by shared().
    std::mutex defaultsMutex;
    std::shared_ptr<SystemLog> defaultSystemLog;
    std::shared_ptr<FolderRevealer> defaultFolderRevealer;
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
    std::lock_guard lock(shared.defaultsMutex);
    return shared.defaultSystemLog;
}

std::shared_ptr<FolderRevealer> defaultFolderRevealer()
{
    auto& shared = registry();
    std::lock_guard lock(shared.defaultsMutex);
    return shared.defaultFolderRevealer;
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
    , m_folderRevealer(services.folderRevealer ? std::move(services.folderRevealer) : defaultFolderRevealer())
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
    std::lock_guard lock(shared.defaultsMutex);
    shared.defaultSystemLog = std::move(systemLog);
}

void TarnAppLogger::setDefaultFolderRevealer(std::shared_ptr<FolderRevealer> folderRevealer)
{
    auto& shared = registry();
    std::lock_guard lock(shared.defaultsMutex);
    shared.defaultFolderRevealer = std::move(folderRevealer);
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
            boundedMessage(redactSecrets(message)), UnicodeText::sanitizedUtf8(version.shortVersion),
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
            reportFailure(failureReport("write", exception.what()));
        } catch (...) {
        }
    } catch (...) {
        try {
            reportFailure(failureReport("write", "unknown error"));
        } catch (...) {
        }
    }
}

std::optional<std::string> TarnAppLogger::appendLocked(std::string_view line)
{
    // Where this line begins, so that a failed write can be taken back; unknown when negative.
    off_t lineStart = -1;
    std::optional<std::string> report;
    UniqueFd fd;
    if (auto existing = openOwnRegularFile(m_currentLogFile, O_WRONLY | O_APPEND)) {
        fd = std::move(existing).value();
        struct stat info { };
        if (::fstat(fd.get(), &info) == 0) {
            lineStart = info.st_size;
            const auto size = static_cast<std::uint64_t>(info.st_size);
            if (size >= m_maxFileBytes) {
                if (auto rotationError = rotateLocked()) {
                    // Reported once per run of failures, not once per line.
                    if (!m_rotationFailureReported) {
                        m_rotationFailureReported = true;
                        report = failureReport("rotation", *rotationError);
                    }
                    // The file may not grow for ever: past twice the limit, lines go to the
                    // system log only.
                    if (size >= 2 * m_maxFileBytes) {
                        return report;
                    }
                } else {
                    m_rotationFailureReported = false;
                    fd.reset();
                }
            }
        }
    } else if (std::error_code missing;
               !std::filesystem::exists(std::filesystem::symlink_status(m_currentLogFile, missing))) {
        // The folder is made on demand at every write, so a deleted folder comes back.
        std::error_code error;
        std::filesystem::create_directories(m_logDirectory, error);
        if (error) {
            return failureReport("write", describe("cannot create folder", m_logDirectory, error.value()));
        }
    } else {
        return failureReport("write", existing.error());
    }

    if (!fd) {
        // What the user did with their input is nobody else's business: the log is theirs alone.
        auto created = openOwnRegularFile(m_currentLogFile, O_WRONLY | O_APPEND | O_CREAT, 0600);
        if (!created) {
            return failureReport("write", created.error());
        }
        fd = std::move(created).value();
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
        return failureReport("write", describe("cannot write", m_currentLogFile, reason));
    }
    // A failed close is ignored: the bytes are already with the kernel.
    fd.close();
    return report;
}

std::filesystem::path TarnAppLogger::generation(int index) const
{
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "." + std::to_string().
    std::string name = m_currentLogFile.string();
    name.push_back('.');
    name += std::to_string(index);
    return name;
}

std::optional<std::string> TarnAppLogger::rotateLocked()
{
    // Failures of these steps are ignored: a missing generation is a gap, and writing goes on.
    std::error_code ignored;
    std::filesystem::remove(generation(m_maxRotatedFiles), ignored);
    for (int index = m_maxRotatedFiles - 1; index >= 1; --index) {
        const auto from = generation(index);
        if (std::filesystem::exists(from, ignored)) {
            std::filesystem::rename(from, generation(index + 1), ignored);
        }
    }
    std::error_code error;
    std::filesystem::rename(m_currentLogFile, generation(1), error);
    if (error) {
        return describe("cannot rename", m_currentLogFile, error.value());
    }
    return std::nullopt;
}

std::string TarnAppLogger::failureReport(std::string_view what, std::string_view description) const
{
    return fmt::format("[TarnAppLogger:{}] {} failed: {}\n", m_appName, what, description);
}

void TarnAppLogger::reportFailure(std::string_view report) const
{
    m_errorOutput(report);
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
        contents = readWholeFile(m_currentLogFile);
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

bool TarnAppLogger::revealInFinder() const
{
    std::error_code error;
    std::filesystem::create_directories(m_logDirectory, error);
    if (!m_folderRevealer) {
        return false;
    }
    const bool fileExists = std::filesystem::exists(m_currentLogFile, error);
    return m_folderRevealer->reveal(fileExists ? m_currentLogFile : m_logDirectory);
}

} // namespace tarn
