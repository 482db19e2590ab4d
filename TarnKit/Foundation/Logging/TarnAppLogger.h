#pragma once

// The application's log: every entry is redacted of secrets, mirrored to the system log and
// appended as one JSON line to a size-rotated file. One logger per application name through
// shared(); tests build their own with a folder, clock, id source and system log of their
// choosing. Logging never throws and never reports failure to the caller.
//
// Files: <folder>/<slug>.log is the live file; <slug>.log.1 (newest) to .log.<maxRotatedFiles>
// (oldest) are the rotated generations. The default folder is
// $XDG_STATE_HOME/Harrowfen/<appName>/logs.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Identity/Environment.h"
#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/Foundation/Logging/LogSink.h"
#include "TarnKit/Foundation/Logging/TarnLogEntry.h"
#include "TarnKit/Foundation/Logging/TarnLogLevel.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Foundation/Ports/FolderRevealer.h"
#include "TarnKit/Foundation/Ports/SystemLog.h"

namespace tarn {

class TarnAppLogger final : public LogSink {
public:
    // Called once per log call, on the caller's thread: it must be safe from any thread.
    using VersionProvider = std::function<TarnAppVersion()>;

    // What a logger uses of the world. Every member has a working default.
    struct Services {
        // Mirror target; null means the process default (setDefaultSystemLog), which may be none.
        std::shared_ptr<SystemLog> systemLog;
        // Wall time of each entry; null means the system clock.
        const Clock* clock = nullptr;
        // Id of each entry; empty means Uuid::random.
        std::function<Uuid()> makeId;
        // Receives the one-line report of a failed write; empty means standard error.
        std::function<void(std::string_view line)> errorOutput;
        // Finds the default folder ($XDG_STATE_HOME, $HOME); empty means the process environment.
        EnvironmentLookup environment;
        // Shows the log files in the desktop's file manager; null means the process default
        // (setDefaultFolderRevealer), which may be none.
        std::shared_ptr<FolderRevealer> folderRevealer;
    };

    static constexpr std::uint64_t kMinimumFileBytes = 4096;
    static constexpr std::uint64_t kDefaultMaxFileBytes = 2 * 1024 * 1024;
    static constexpr int kDefaultMaxRotatedFiles = 5;
    // A message longer than this, once redacted, is cut (at a character boundary) and ends in
    // "…": whatever a message carries (a window's name, a device's), one line stays readable
    // and cannot fill the file by itself.
    static constexpr std::size_t kMaximumMessageBytes = 16 * 1024;

    // Creates no folder and no file. `maxFileBytes` is raised to 4096 and `maxRotatedFiles` to 1
    // when smaller; an absent `directory` means the default folder.
    TarnAppLogger(std::string appName, std::optional<std::filesystem::path> directory, std::uint64_t maxFileBytes,
        int maxRotatedFiles, VersionProvider versionProvider, Services services);
    TarnAppLogger(std::string appName, std::optional<std::filesystem::path> directory, std::uint64_t maxFileBytes,
        int maxRotatedFiles, VersionProvider versionProvider);
    TarnAppLogger(const TarnAppLogger&) = delete;
    TarnAppLogger& operator=(const TarnAppLogger&) = delete;

    // The process-wide logger of `appName` (exact, case-sensitive), made on first use in the
    // default folder with 2 MiB files and five generations. The first caller's provider stays in
    // force; without one the build's version is used. Registered loggers live until the process
    // ends.
    static TarnAppLogger& shared(const std::string& appName, VersionProvider versionProvider = {});
    // The system log that loggers built afterwards without one of their own mirror to; the
    // executable sets the journald adapter at start-up. Without it nothing is mirrored.
    static void setDefaultSystemLog(std::shared_ptr<SystemLog> systemLog);
    // The file manager that loggers built afterwards without one of their own reveal through;
    // the executable sets the desktop's at start-up. Without it revealInFinder() does nothing.
    static void setDefaultFolderRevealer(std::shared_ptr<FolderRevealer> folderRevealer);

    // Writes one entry, its message redacted and bounded; when it returns, the line is in the file or the failure was
    // reported. The live file must be a regular file of this user: a link, a FIFO or a device at its path fails the
    // write at once (a FIFO would otherwise block every thread that logs). When the file cannot be rotated (a read-only
    // folder), that is reported once and the file grows to twice maxFileBytes at most; later lines reach the system log
    // only.
    void log(TarnLogLevel level, std::string_view category, std::string_view message) override;
    void debug(std::string_view message, std::string_view category) { log(TarnLogLevel::debug, category, message); }
    void info(std::string_view message, std::string_view category) { log(TarnLogLevel::info, category, message); }
    void warn(std::string_view message, std::string_view category) { log(TarnLogLevel::warn, category, message); }
    void error(std::string_view message, std::string_view category) { log(TarnLogLevel::error, category, message); }

    static std::string redactSecrets(std::string_view text);

    // Reading. Only the live file is read; rotated generations are only deleted by clear().
    // Newest first, at most `limit` (none for a limit below 1), all at or above `minimumLevel`.
    // A missing, empty or not-UTF-8 file reads as empty; lines that do not decode are skipped.
    std::vector<TarnLogEntry> recentEntries(int limit, TarnLogLevel minimumLevel) const;
    // The same entries oldest first as plain-text lines joined by line feeds, no final one.
    std::string exportPlainText(int limit, TarnLogLevel minimumLevel) const;
    // Deletes the live file and every generation; the folder stays.
    void clear();
    // Creates the folder if missing, then shows the live file (or the folder when there is no
    // live file) in the desktop's file manager. False when no file manager could be started.
    bool revealInFinder() const;

    const std::string& appName() const { return m_appName; }
    const std::filesystem::path& logDirectory() const { return m_logDirectory; }
    const std::filesystem::path& currentLogFile() const { return m_currentLogFile; }
    std::uint64_t maxFileBytes() const { return m_maxFileBytes; }
    int maxRotatedFiles() const { return m_maxRotatedFiles; }
    // "com.harrowfen." + slug: the system log's subsystem of this logger.
    const std::string& subsystem() const { return m_subsystem; }

    // "<slug>.log": the name lower-cased, each space (U+0020 only) a hyphen.
    static std::string fileSlug(std::string_view appName);
    // $XDG_STATE_HOME/Harrowfen/<appName>/logs.
    static std::filesystem::path defaultDirectory(std::string_view appName, const EnvironmentLookup& environment);

private:
    std::filesystem::path generation(int index) const;
    // With m_fileMutex held, once the live file has reached m_maxFileBytes: drops the oldest
    // generation, shifts the others up by one and makes the live file ".1". The error when the
    // live file could not be moved; the other steps' failures are gaps, and ignored.
    std::optional<std::string> rotateLocked();
    // Appends one line under m_fileMutex; returns the report of a failure, if there is one.
    std::optional<std::string> appendLocked(std::string_view line);
    // "[TarnAppLogger:<app>] <what> failed: <description>" and a line feed.
    std::string failureReport(std::string_view what, std::string_view description) const;
    void reportFailure(std::string_view report) const;
    std::string timestampNow() const;

    const std::string m_appName;
    const std::filesystem::path m_logDirectory;
    const std::filesystem::path m_currentLogFile;
    const std::uint64_t m_maxFileBytes;
    const int m_maxRotatedFiles;
    const std::string m_subsystem;
    // Serialises appending, rotation, reading and clearing of this logger's files.
    mutable std::mutex m_fileMutex;
    // Whether the present run of failed rotations was reported; guarded by m_fileMutex.
    bool m_rotationFailureReported = false;
    const std::shared_ptr<SystemLog> m_systemLog;
    const VersionProvider m_versionProvider;
    const Clock& m_clock;
    const std::function<Uuid()> m_makeId;
    const std::function<void(std::string_view)> m_errorOutput;
    const std::shared_ptr<FolderRevealer> m_folderRevealer;
};

} // namespace tarn
