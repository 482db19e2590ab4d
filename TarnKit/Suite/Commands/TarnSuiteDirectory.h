#pragma once

// The folder under which the suite's buses keep their files, shared by every application of the
// family of one user: "$XDG_DATA_HOME/Harrowfen/SuiteTelemetry". Whoever can write there can
// command the family's applications, so the folders the suite creates are the user's alone.

#include <filesystem>

#include "TarnKit/Foundation/Files/XdgPaths.h"

namespace tarn {

class TarnSuiteDirectory {
public:
    static std::filesystem::path at(const XdgPaths& paths);

    // Creates `folder` and every missing folder above it with mode 0700, whatever the umask;
    // folders already there are left as they are. True when `folder` is a folder afterwards.
    [[nodiscard]] static bool createPrivateFolder(const std::filesystem::path& folder);
};

} // namespace tarn
