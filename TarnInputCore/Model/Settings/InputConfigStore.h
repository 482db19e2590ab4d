#pragma once

// Keeps InputSettings in one JSON file (pretty-printed, keys sorted at every level, replaced
// atomically on every save, readable by the user alone when it is new). Loading never fails: a
// missing or unusable file reads as the defaults. A file that exists but cannot be used is never
// overwritten: the first save after such a load, or after the file changed on disk into one that
// cannot be used, first renames it to "<name>.unreadable-<UTC stamp>" beside the new file, and
// refuses to write while it can be neither set aside nor found gone.
//
// A symbolic link at the path to a regular file of the user's own stays a link: that file is read
// and replaced. A link whose file cannot be used, that loops or leads to nothing, is set aside
// itself (what it points to is left as it is) and a plain file takes its place. Nothing else is
// ever read, moved or replaced: a link to a device, a FIFO, a socket, a folder or another user's
// file, or such a thing at the path itself, reads as the defaults and every save is refused,
// saying why, until the user moves it. A FIFO is never opened, so loading never waits on one.
//
// Holds no settings of its own; its one owner calls it from one thread.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Foundation/Files/XdgPaths.h"
#include "TarnKit/Foundation/Logging/LogSink.h"
#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn::input {

class InputConfigStore final {
public:
    // A settings file far larger than any the program writes is not one; reading it whole would
    // only cost memory.
    static constexpr std::uintmax_t kLargestFile = 16u << 20;
    static constexpr std::string_view kLogCategory = "settings";

    // Creates the file's folder with any missing parents (a failure is ignored here and shows
    // in the next save). The clock stamps the name of a file set aside; `log`, when given,
    // receives a warning naming the files whenever one is set aside or a save fails.
    explicit InputConfigStore(
        std::filesystem::path fileURL, const Clock& clock = SystemClock::shared(), LogSink* log = nullptr);

    // $XDG_CONFIG_HOME/TarnInput/input-settings.json.
    static std::filesystem::path defaultFilePath(const XdgPaths& paths = XdgPaths::fromEnvironment());

    const std::filesystem::path& fileURL() const { return m_fileURL; }

    // Also removes the temporary files of saves that were killed before they finished: call it
    // at start-up, before anything saves.
    InputSettings load();
    // Nothing was written when it fails: the value could not be written, or an unreadable file
    // is in the way. The previous file then stays as it was, and the error says why in one
    // English sentence for the user ("… No space left on device").
    Status<std::string> save(const InputSettings& settings);

    // Where the last save put an unreadable file, if it did.
    const std::optional<std::filesystem::path>& setAsidePath() const { return m_setAsidePath; }

private:
    // What is known about the file on disk: whether a save may replace it as it stands, must set
    // it aside first, or may not touch it at all.
    enum class FileState { unchecked, replaceable, unreadable, refused };
    // Enough to notice that someone else wrote the file since this store last looked at it.
    struct FileStamp {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified {};
        bool operator==(const FileStamp&) const = default;
    };

    FileState checkFile();
    std::optional<FileStamp> currentStamp() const;
    // Renames an unusable file out of the way; the error when that cannot be done.
    std::optional<std::string> setAsideUnreadable();
    Status<std::string> failed(std::string reason) const;

    std::filesystem::path m_fileURL;
    const Clock& m_clock;
    LogSink* m_log;
    FileState m_fileState = FileState::unchecked;
    // The file as this store last read or wrote it; absent when it was missing.
    std::optional<FileStamp> m_knownStamp;
    std::optional<std::filesystem::path> m_setAsidePath;
    // Why the file may not be touched, while it is refused.
    std::string m_refusal;
};

} // namespace tarn::input
