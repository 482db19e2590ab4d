#pragma once

// Where the running copy keeps its lock and its socket. Whoever can put files there decides which
// copy runs, so only a folder private to the user will do: the session's runtime folder (or the
// fallback in the temporary folder that RuntimeFolder makes), else a folder of the user's own in
// their state folder. Without the last there is no way to keep to one copy, and the caller runs
// unguarded; the notes say why, for the application log.

#include <filesystem>
#include <string>
#include <vector>

#include "TarnKit/Foundation/Identity/Environment.h"

#include <sys/types.h>

namespace tarn::input {

struct SingleInstanceFolder {
    // Empty when no private folder could be had.
    std::filesystem::path path;
    // Why a folder was passed over, one English sentence each; empty when the first one served.
    std::vector<std::string> notes;

    static SingleInstanceFolder choose(const EnvironmentLookup& environment = processEnvironment);
    static SingleInstanceFolder choose(const EnvironmentLookup& environment, uid_t user);

    // $XDG_STATE_HOME/Harrowfen/TarnInput/instance: beside the program's logs, and private.
    static std::filesystem::path stateFolder(const std::filesystem::path& stateHome);
};

} // namespace tarn::input
