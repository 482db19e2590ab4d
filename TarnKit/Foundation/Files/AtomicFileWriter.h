#pragma once

// Replaces a file's contents all at once: the new bytes go to a temporary file in the same
// folder, are flushed to disk, and are renamed over the old file. Whatever fails, the old file
// is left as it was and no temporary file stays behind.
//
// A symbolic link at the path (a dotfiles folder managing it, say) stays a link: the file it
// finally points to is the one replaced, in that file's own folder.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

class AtomicFileWriter {
public:
    // Who may read a file the write creates; a replaced file keeps the mode it had. The mode is
    // set as given, whatever the umask.
    enum class NewFileMode {
        ownerOnly, // 0600: settings and stored choices, which may hold what the user typed
        everyoneReads, // 0644: files other programs of the desktop read, such as an autostart entry
    };

    // Creates missing parent folders. The error is a short English text naming the step and the
    // system's reason ("cannot write …: No space left on device").
    static Status<std::string> write(
        const std::filesystem::path& path, std::string_view contents, NewFileMode mode = NewFileMode::ownerOnly);

    // Removes the temporary files that writes to `path` left behind when the process was killed
    // before renaming them (".<name>.XXXXXX" beside the file a write replaces; XXXXXX being six
    // letters or digits). Only regular files of this user go, never a link; call it while
    // nothing writes `path`, as at start-up. The number of files removed.
    static std::size_t removeStaleTemporaries(const std::filesystem::path& path);

    // The file a write to `path` replaces: the end of its chain of symbolic links (relative links
    // taken from their own folder), or `path` itself when it is no link. A loop, or a chain longer
    // than the system follows, is an error.
    static Result<std::filesystem::path, std::string> storagePath(const std::filesystem::path& path);
};

} // namespace tarn
