#include "TarnKit/Foundation/XdgPaths.h"

#include <pwd.h>
#include <unistd.h>

namespace tarn {
namespace {

std::filesystem::path homeFolder(const EnvironmentLookup& lookup)
{
    if (auto home = lookup("HOME"); home && !home->empty()) {
        return *home;
    }
    // Services started without a login environment have no $HOME; the password database knows.
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/tmp";
}

std::filesystem::path baseFolder(
    const EnvironmentLookup& lookup, std::string_view variable, const std::filesystem::path& fallback)
{
    if (auto value = lookup(variable); value && !value->empty()) {
        std::filesystem::path path(*value);
        if (path.is_absolute()) {
            return path;
        }
    }
    return fallback;
}

} // namespace

XdgPaths XdgPaths::fromEnvironment(const EnvironmentLookup& lookup)
{
    const auto home = homeFolder(lookup);
    return XdgPaths {
        baseFolder(lookup, "XDG_CONFIG_HOME", home / ".config"),
        baseFolder(lookup, "XDG_STATE_HOME", home / ".local" / "state"),
        baseFolder(lookup, "XDG_DATA_HOME", home / ".local" / "share"),
        baseFolder(lookup, "XDG_CACHE_HOME", home / ".cache"),
    };
}

} // namespace tarn
