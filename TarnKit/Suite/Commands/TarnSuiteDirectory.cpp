#include "TarnKit/Suite/Commands/TarnSuiteDirectory.h"

#include <cerrno>
#include <system_error>

#include <sys/stat.h>

namespace tarn {

std::filesystem::path TarnSuiteDirectory::at(const XdgPaths& paths)
{
    return paths.harrowfenData() / "SuiteTelemetry";
}

bool TarnSuiteDirectory::createPrivateFolder(const std::filesystem::path& folder)
{
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        return true;
    }
    const auto parent = folder.parent_path();
    if (parent != folder && !parent.empty() && !createPrivateFolder(parent)) {
        return false;
    }
    if (::mkdir(folder.c_str(), 0700) == 0) {
        // mkdir takes the umask off the mode; the folder must not be left open to others, nor
        // closed to its owner by an odd umask.
        return ::chmod(folder.c_str(), 0700) == 0;
    }
    // Another writer may have made it in the meantime.
    return errno == EEXIST && std::filesystem::is_directory(folder, error);
}

} // namespace tarn
