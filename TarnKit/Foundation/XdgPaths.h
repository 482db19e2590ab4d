#pragma once

// The XDG base folders of the current user. A variable that is unset, empty or not an absolute
// path is ignored, as the XDG base directory rules say, and the default below $HOME is used.

#include <filesystem>

#include "TarnKit/Foundation/Environment.h"

namespace tarn {

struct XdgPaths {
    std::filesystem::path configHome; // $XDG_CONFIG_HOME or ~/.config
    std::filesystem::path stateHome; // $XDG_STATE_HOME or ~/.local/state
    std::filesystem::path dataHome; // $XDG_DATA_HOME or ~/.local/share
    std::filesystem::path cacheHome; // $XDG_CACHE_HOME or ~/.cache

    static XdgPaths fromEnvironment(const EnvironmentLookup& lookup = processEnvironment);

    // The family's own folders below the base folders.
    std::filesystem::path harrowfenConfig() const { return configHome / "Harrowfen"; }
    std::filesystem::path harrowfenState() const { return stateHome / "Harrowfen"; }
    std::filesystem::path harrowfenData() const { return dataHome / "Harrowfen"; }
};

} // namespace tarn
