#pragma once

// Replaces a file's contents all at once: the new bytes go to a temporary file in the same
// folder, are flushed to disk, and are renamed over the old file. Whatever fails, the old file
// is left as it was and no temporary file stays behind.
//
// Nothing but a regular file of this user's own is ever replaced through a symbolic link: a link
// to a device, a FIFO, a socket, a folder or another user's file, a link that loops or leads to
// nothing, is refused with its reason, and so is anything but a regular file of this user's own
// standing at the path itself (run as root, a planted link would otherwise have a device node or
// a system file replaced by whatever was written).

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

    // What a write does with a symbolic link at the path.
    enum class Links {
        // The link (a dotfiles folder managing it, say) stays a link: the regular file of this
        // user's own at the end of its chain is the one replaced, in that file's own folder.
        followToOwnFile,
        // The entry at the path is replaced whatever it is, a link or a FIFO as much as a file,
        // and nothing is followed: for the program's own files in its own folder.
        replaceEntry,
    };

    // What stands where a write following links would put its bytes.
    struct Storage {
        enum class Kind {
            // Nothing is at the path: a write creates `file`, which is the path.
            missing,
            // A regular file of this user's own: the path, or the end of its chain of links.
            ownFile,
            // A symbolic link that loops or leads to nothing: never followed, but the link itself
            // is the user's to move.
            brokenLink,
            // Anything else at the path or at the end of its links; not this program's to replace.
            refused,
        };
        Kind kind = Kind::missing;
        // The path made absolute, or the end of its chain of links (relative links taken from
        // their own folder).
        std::filesystem::path file;
        // For a broken link or a refusal, what is wrong, to follow the path in a sentence: "is a
        // link to /dev/null, a device, not a regular file of yours".
        std::string problem;
    };

    // Creates missing parent folders. The error is a short English text naming the step, the
    // file and the system's reason ("cannot write …/input-settings.json: No space left on device").
    static Status<std::string> write(const std::filesystem::path& path, std::string_view contents,
        NewFileMode mode = NewFileMode::ownerOnly, Links links = Links::followToOwnFile);

    // Removes the temporary files that writes to `path` left behind when the process was killed
    // before renaming them (".<name>.XXXXXX" beside the file a write replaces; XXXXXX being six
    // letters or digits). Only regular files of this user go, never a link; call it while
    // nothing writes `path`, as at start-up. The number of files removed.
    static std::size_t removeStaleTemporaries(const std::filesystem::path& path);

    // Looks without changing anything.
    static Storage storage(const std::filesystem::path& path);
    // The file a write following links to `path` replaces or creates; the error, when it would be
    // refused, says why ("cannot write /a/b: it is a link that loops").
    static Result<std::filesystem::path, std::string> storagePath(const std::filesystem::path& path);
};

} // namespace tarn
