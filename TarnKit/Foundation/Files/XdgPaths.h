#pragma once

// The XDG base folders of the current user. A variable that is unset, empty or not an absolute
// path is ignored, as the XDG base directory rules say, and the default below the home folder is
// used. The home folder is $HOME when that is absolute, else the password database's; there is
// no guess beyond that (a shared folder such as /tmp would put the user's files where others can
// reach them).

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Foundation/Identity/Environment.h"

namespace tarn {

struct XdgPaths {
    std::filesystem::path configHome; // $XDG_CONFIG_HOME or ~/.config
    std::filesystem::path stateHome; // $XDG_STATE_HOME or ~/.local/state
    std::filesystem::path dataHome; // $XDG_DATA_HOME or ~/.local/share
    std::filesystem::path cacheHome; // $XDG_CACHE_HOME or ~/.cache

    // The home folder the password database gives the current user, if any.
    using HomeLookup = std::function<std::optional<std::filesystem::path>()>;
    static std::optional<std::filesystem::path> passwordDatabaseHome();

    // Fails, with one English sentence saying why, only when a folder needs the home folder and
    // neither $HOME nor the password database names an absolute one.
    static Result<XdgPaths, std::string> resolve(
        const EnvironmentLookup& lookup = processEnvironment, const HomeLookup& passwordHome = passwordDatabaseHome);
    // resolve(); when it fails the program has nowhere to keep the user's files, so the reason is
    // written to standard error and the process ends with status 1. An executable that calls
    // resolve() first at start-up fails there instead, before anything else runs.
    static XdgPaths fromEnvironment(const EnvironmentLookup& lookup = processEnvironment);

    // The family's own folders below the base folders.
    std::filesystem::path harrowfenConfig() const { return configHome / "Harrowfen"; }
    std::filesystem::path harrowfenState() const { return stateHome / "Harrowfen"; }
    std::filesystem::path harrowfenData() const { return dataHome / "Harrowfen"; }
};

} // namespace tarn
