#include "TarnKit/Foundation/Files/RuntimeFolder.h"

#include <fstream>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tarn {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup environmentOf(std::map<std::string, std::string> variables)
{
    return [variables = std::move(variables)](std::string_view name) -> std::optional<std::string> {
        const auto found = variables.find(std::string(name));
        return found == variables.end() ? std::nullopt : std::optional(found->second);
    };
}

fs::perms modeOf(const fs::path& path)
{
    return fs::symlink_status(path).permissions();
}

TEST(RuntimeFolder, TheSessionsFolderWhenItIsPrivate)
{
    TemporaryFolder temporary;
    const auto session = temporary.path() / "session";
    fs::create_directory(session);
    fs::permissions(session, fs::perms::owner_all);
    const auto resolved = RuntimeFolder::resolve("app", environmentOf({{"XDG_RUNTIME_DIR", session.string()}}));
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved.value(), session);
}

TEST(RuntimeFolder, WithoutOneAPrivateFolderOfTheUsersOwnIsMadeInTheTemporaryFolder)
{
    TemporaryFolder temporary;
    const auto expected = temporary.path() / ("app-" + std::to_string(::geteuid()));
    const auto open = temporary.path() / "open";
    fs::create_directory(open);
    fs::permissions(open, fs::perms::all);
    // Unset, relative, or not private: each falls back.
    for (const auto& runtime : {std::string(), std::string("relative/run"), open.string()}) {
        std::map<std::string, std::string> variables {{"TMPDIR", temporary.path().string()}};
        if (!runtime.empty()) {
            variables["XDG_RUNTIME_DIR"] = runtime;
        }
        const mode_t previous = ::umask(0077);
        const auto resolved = RuntimeFolder::resolve("app", environmentOf(variables));
        ::umask(previous);
        ASSERT_TRUE(resolved) << resolved.error();
        EXPECT_EQ(resolved.value(), expected) << runtime;
        EXPECT_EQ(modeOf(expected), fs::perms::owner_all) << runtime;
    }
}

// Another user who makes the fallback folder first (or a link there, or a folder others can
// write into) must not decide whether this user's program starts: the folder is refused, and
// nothing in it is touched.
TEST(RuntimeFolder, AFallbackFolderThatIsNotPrivateIsRefused)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path& fallback, const fs::path& temporary)> plant;
        uid_t user;
        std::string reason;
    };
    const uid_t me = ::geteuid();
    const auto privateFolder = [](const fs::path& path, const fs::path& = {}) {
        fs::create_directory(path);
        fs::permissions(path, fs::perms::owner_all);
    };
    const std::vector<Case> cases {
        {"another user's", privateFolder, me + 1, "belongs to another user"},
        {"open to everyone",
            [](const fs::path& fallback, const fs::path&) {
                fs::create_directory(fallback);
                fs::permissions(fallback, fs::perms::all);
            },
            me, "can be reached by others (mode 0777)"},
        {"a link to a private folder",
            [privateFolder](const fs::path& fallback, const fs::path& temporary) {
                privateFolder(temporary / "elsewhere");
                fs::create_directory_symlink(temporary / "elsewhere", fallback);
            },
            me, "is a symbolic link"},
        {"a file", [](const fs::path& fallback, const fs::path&) { std::ofstream(fallback) << "x"; }, me,
            "is not a folder"},
    };
    for (const auto& testCase : cases) {
        TemporaryFolder temporary;
        const auto fallback = temporary.path() / ("app-" + std::to_string(testCase.user));
        testCase.plant(fallback, temporary.path());
        const auto before = fs::symlink_status(fallback).permissions();
        const auto resolved
            = RuntimeFolder::resolve("app", environmentOf({{"TMPDIR", temporary.path().string()}}), testCase.user);
        ASSERT_FALSE(resolved) << testCase.what;
        EXPECT_EQ(resolved.error(),
            fallback.string() + " " + testCase.reason
                + "; set XDG_RUNTIME_DIR to a private folder of yours (mode 0700), or remove " + fallback.string()
                + ".")
            << testCase.what;
        EXPECT_EQ(fs::symlink_status(fallback).permissions(), before) << testCase.what;
    }
}

} // namespace
} // namespace tarn
