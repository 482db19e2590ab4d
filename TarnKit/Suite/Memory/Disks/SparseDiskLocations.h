#pragma once

// Where the memory application keeps its sparse bundles and where it mounts them.
// - Pools: <XDG cache home>/TarnMemory/Pools, and a second folder that the application's
//   configuration (<XDG config home>/TarnMemory/config.json) may name as "customPoolDirectory".
// - A bundle "<name>.sparsebundle" is mounted at <mount root>/<name>. The default mount root is
//   the one udisks uses for the user: /run/media/<user> where /run/media exists (most
//   distributions), else /media/<user> (Debian and its derivatives).

#include <filesystem>
#include <string>

#include "TarnKit/Foundation/Files/XdgPaths.h"

namespace tarn {

struct SparseDiskLocations {
    std::filesystem::path cachesPoolFolder;
    std::filesystem::path memoryConfigFile;
    std::filesystem::path mountRoot;

    static SparseDiskLocations forUser(const XdgPaths& paths, std::filesystem::path mountRoot);
    // The udisks mount root of the user running the program; empty when the user has no name.
    static std::filesystem::path defaultMountRoot();
};

} // namespace tarn
