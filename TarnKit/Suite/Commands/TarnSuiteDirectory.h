#pragma once

// The folder under which the suite's buses keep their files, shared by every application of the
// family of one user: "$XDG_DATA_HOME/Harrowfen/SuiteTelemetry". Whoever can write there can
// command the family's applications, so the suite writes only into folders that are the user's
// alone.

#include <filesystem>
#include <string>

#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Foundation/Files/XdgPaths.h"

#include <sys/types.h>
#include <unistd.h>

namespace tarn {

class TarnSuiteDirectory {
public:
    static std::filesystem::path at(const XdgPaths& paths);

    // Creates `folder` and every missing folder above it with mode 0700, whatever the umask; the
    // folders above that are already there are left as they are. `folder` itself must then be
    // private to `user`: a folder of theirs (not a symbolic link) with mode 0700. One of theirs
    // with another mode is given 0700; one of someone else, or anything else, is refused and never
    // changed. The error names the folder and says what is wrong ("… belongs to another user").
    [[nodiscard]] static Status<std::string> createPrivateFolder(
        const std::filesystem::path& folder, uid_t user = ::geteuid());
};

} // namespace tarn
