#pragma once

// The folder for a session's sockets and locks: $XDG_RUNTIME_DIR, or without it a folder of the
// user's own in the temporary folder. What lies there decides which copy of a program runs, so a
// folder is used only when it is private to the user: a real folder (not a link), owned by them,
// mode 0700. A fallback folder that someone else made first is refused, never adopted or changed.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Foundation/Identity/Environment.h"

#include <sys/types.h>

namespace tarn {

class RuntimeFolder {
public:
    // $XDG_RUNTIME_DIR when it is private to the user; else <$TMPDIR or /tmp>/<name>-<uid>, made
    // when missing. Fails, with one English sentence for the user, when that folder exists and is
    // not private to them or cannot be made.
    static Result<std::filesystem::path, std::string> resolve(
        std::string_view name, const EnvironmentLookup& environment = processEnvironment);
    static Result<std::filesystem::path, std::string> resolve(
        std::string_view name, const EnvironmentLookup& environment, uid_t user);

    // Nothing when `path` is private to `user`; else why not, as the end of an English sentence
    // that starts with the path ("is a symbolic link").
    static std::optional<std::string> whyNotPrivate(const std::filesystem::path& path, uid_t user);
};

} // namespace tarn
