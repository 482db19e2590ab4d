#pragma once

// Keeps InputSettings in one JSON file (pretty-printed, keys sorted at every level, replaced
// atomically on every save). Loading never fails: a missing or unusable file reads as the
// defaults. A file that exists but cannot be used is never overwritten: the first save after
// such a load first renames it to "<name>.unreadable-<UTC stamp>" beside the new file, and
// refuses to write while it can be neither set aside nor found gone.
//
// Holds no settings of its own; its one owner calls it from one thread.

#include <filesystem>
#include <optional>

#include "TarnInputCore/Model/InputSettings.h"
#include "TarnKit/Foundation/Clock.h"
#include "TarnKit/Foundation/XdgPaths.h"

namespace tarn::input {

class InputConfigStore final {
public:
    // Creates the file's folder with any missing parents (a failure is ignored here and shows
    // in the next save). The clock stamps the name of a file set aside.
    explicit InputConfigStore(std::filesystem::path fileURL, const Clock& clock = SystemClock::shared());

    // $XDG_CONFIG_HOME/TarnInput/input-settings.json.
    static std::filesystem::path defaultFilePath(const XdgPaths& paths = XdgPaths::fromEnvironment());

    const std::filesystem::path& fileURL() const { return m_fileURL; }

    InputSettings load();
    // False when nothing was written: the value could not be written, or an unreadable file is
    // in the way. The previous file then stays as it was.
    bool save(const InputSettings& settings);

    // Where the last save put an unreadable file, if it did.
    const std::optional<std::filesystem::path>& setAsidePath() const { return m_setAsidePath; }

private:
    // What is known about the file on disk: whether a save may replace it as it stands.
    enum class FileState { unchecked, replaceable, unreadable };

    FileState checkFile() const;

    std::filesystem::path m_fileURL;
    const Clock& m_clock;
    FileState m_fileState = FileState::unchecked;
    std::optional<std::filesystem::path> m_setAsidePath;
};

} // namespace tarn::input
