#include "TarnKit/Foundation/Files/XdgPaths.h"

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

XdgPaths::HomeLookup passwordHome(std::optional<std::filesystem::path> home)
{
    return [home = std::move(home)] { return home; };
}

// A machine with no home folder for the user must not make /tmp, which every user can write,
// the place of the user's settings and logs.
TEST(XdgPaths, HomeComesFromHomeOrThePasswordDatabaseAndNowhereElse)
{
    const struct {
        const char* name;
        std::map<std::string, std::string, std::less<>> variables;
        std::optional<std::filesystem::path> passwordHome;
        std::optional<std::filesystem::path> expectedConfig; // absent: no home, a failure
    } cases[] {
        {"$HOME", {{"HOME", "/home/ada"}}, "/home/pw", "/home/ada/.config"},
        {"password database", {}, "/home/pw", "/home/pw/.config"},
        {"empty $HOME", {{"HOME", ""}}, "/home/pw", "/home/pw/.config"},
        {"relative $HOME", {{"HOME", "ada"}}, "/home/pw", "/home/pw/.config"},
        {"neither", {}, std::nullopt, std::nullopt},
        {"relative $HOME alone", {{"HOME", "ada"}}, std::nullopt, std::nullopt},
        {"every folder set",
            {{"XDG_CONFIG_HOME", "/c"}, {"XDG_STATE_HOME", "/s"}, {"XDG_DATA_HOME", "/d"}, {"XDG_CACHE_HOME", "/k"}},
            std::nullopt, "/c"},
    };
    for (const auto& [name, variables, home, expectedConfig] : cases) {
        SCOPED_TRACE(name);
        const auto paths = XdgPaths::resolve(environment(variables), passwordHome(home));
        ASSERT_EQ(paths.hasValue(), expectedConfig.has_value());
        if (expectedConfig) {
            EXPECT_EQ(paths->configHome, *expectedConfig);
        } else {
            EXPECT_NE(paths.error().find("Cannot find your home folder"), std::string::npos) << paths.error();
            EXPECT_NE(paths.error().find("XDG_CONFIG_HOME"), std::string::npos) << paths.error();
        }
    }
}

} // namespace
} // namespace tarn
