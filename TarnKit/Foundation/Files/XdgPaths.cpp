#include "TarnKit/Foundation/Files/XdgPaths.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include <pwd.h>
#include <unistd.h>

namespace tarn {
namespace {

std::optional<std::filesystem::path> absoluteVariable(const EnvironmentLookup& lookup, std::string_view variable)
{
    if (auto value = lookup(variable); value && !value->empty()) {
        std::filesystem::path path(*value);
        if (path.is_absolute()) {
            return path;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::filesystem::path> XdgPaths::passwordDatabaseHome()
{
    // getpwuid_r: the plain call returns a buffer shared by every thread.
    long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr
        || found->pw_dir == nullptr) {
        return std::nullopt;
    }
    std::filesystem::path home(found->pw_dir);
    if (!home.is_absolute()) {
        return std::nullopt;
    }
    return home;
}

Result<XdgPaths, std::string> XdgPaths::resolve(const EnvironmentLookup& lookup, const HomeLookup& passwordHome)
{
    // Services started without a login environment have no $HOME; the password database knows.
    std::optional<std::filesystem::path> home = absoluteVariable(lookup, "HOME");
    if (!home && passwordHome) {
        home = passwordHome();
    }
    const std::array<std::pair<std::string_view, std::filesystem::path>, 4> folders {{
        {"XDG_CONFIG_HOME", ".config"},
        {"XDG_STATE_HOME", std::filesystem::path(".local") / "state"},
        {"XDG_DATA_HOME", std::filesystem::path(".local") / "share"},
        {"XDG_CACHE_HOME", ".cache"},
    }};
    std::array<std::filesystem::path, 4> resolved;
    for (std::size_t index = 0; index < folders.size(); ++index) {
        const auto& [variable, belowHome] = folders[index];
        if (auto value = absoluteVariable(lookup, variable)) {
            resolved[index] = std::move(*value);
        } else if (home) {
            resolved[index] = *home / belowHome;
        } else {
            return fail(fmt::format("Cannot find your home folder: $HOME is not set to an absolute path and the "
                                    "password database has no home folder for user id {}, so there is no place for "
                                    "{} (set $HOME or ${}).",
                ::getuid(), variable, variable));
        }
    }
    return XdgPaths {resolved[0], resolved[1], resolved[2], resolved[3]};
}

XdgPaths XdgPaths::fromEnvironment(const EnvironmentLookup& lookup)
{
    auto paths = resolve(lookup);
    if (!paths) {
        std::fprintf(stderr, "%s\n", paths.error().c_str());
        std::fflush(stderr);
        // Not exit(): this may run on any thread, while others still use static objects.
        std::_Exit(EXIT_FAILURE);
    }
    return std::move(paths).value();
}

} // namespace tarn
