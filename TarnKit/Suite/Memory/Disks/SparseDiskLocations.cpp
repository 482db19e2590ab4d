#include "TarnKit/Suite/Memory/Disks/SparseDiskLocations.h"

#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace tarn {
namespace {

std::string loginName()
{
    std::vector<char> buffer(16 * 1024);
    struct passwd entry { };
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr
        || found->pw_name == nullptr) {
        return {};
    }
    return found->pw_name;
}

} // namespace

SparseDiskLocations SparseDiskLocations::forUser(const XdgPaths& paths, std::filesystem::path mountRoot)
{
    return {paths.cacheHome / "TarnMemory" / "Pools", paths.configHome / "TarnMemory" / "config.json",
        std::move(mountRoot)};
}

std::filesystem::path SparseDiskLocations::defaultMountRoot()
{
    const std::string user = loginName();
    if (user.empty() || user.find('/') != std::string::npos) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path runMedia = "/run/media";
    return (std::filesystem::is_directory(runMedia, error) ? runMedia : std::filesystem::path("/media")) / user;
}

} // namespace tarn
