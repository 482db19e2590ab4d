#include "TarnKit/Foundation/XdgPaths.h"

#include <map>

#include <gtest/gtest.h>

namespace tarn {
namespace {

EnvironmentLookup environment(std::map<std::string, std::string, std::less<>> values)
{
    return [values = std::move(values)](std::string_view name) -> std::optional<std::string> {
        if (auto found = values.find(name); found != values.end()) {
            return found->second;
        }
        return std::nullopt;
    };
}

TEST(XdgPaths, DefaultsBelowHome)
{
    const auto paths = XdgPaths::fromEnvironment(environment({{"HOME", "/home/ada"}}));
    EXPECT_EQ(paths.configHome, "/home/ada/.config");
    EXPECT_EQ(paths.stateHome, "/home/ada/.local/state");
    EXPECT_EQ(paths.dataHome, "/home/ada/.local/share");
    EXPECT_EQ(paths.cacheHome, "/home/ada/.cache");
    EXPECT_EQ(paths.harrowfenState(), "/home/ada/.local/state/Harrowfen");
}

TEST(XdgPaths, VariablesWinUnlessEmptyOrRelative)
{
    const auto paths = XdgPaths::fromEnvironment(environment({{"HOME", "/h"}, {"XDG_CONFIG_HOME", "/cfg"},
        {"XDG_STATE_HOME", ""}, {"XDG_DATA_HOME", "relative/data"}, {"XDG_CACHE_HOME", "/c"}}));
    EXPECT_EQ(paths.configHome, "/cfg");
    EXPECT_EQ(paths.stateHome, "/h/.local/state");
    EXPECT_EQ(paths.dataHome, "/h/.local/share");
    EXPECT_EQ(paths.cacheHome, "/c");
}

} // namespace
} // namespace tarn
