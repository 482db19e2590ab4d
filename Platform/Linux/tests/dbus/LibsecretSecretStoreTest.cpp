// The keychain against a real Secret Service: a private gnome-keyring-daemon on this test's
// session bus, with a keyring in a temporary home that the test unlocks itself.

#include "Platform/Linux/LibsecretSecretStore.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "TarnKit/Services/TarnKeychainStore.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

bool startKeyringDaemon(const std::filesystem::path& home)
{
    // The daemon's control socket goes in the runtime folder: a private one keeps it from meeting
    // a daemon of another session or test run.
    const auto runtime = home / "runtime";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    const std::string command = "printf test-pass | gnome-keyring-daemon --unlock --components=secrets >/dev/null";
    return std::system(command.c_str()) == 0;
}

} // namespace

TEST(LibsecretSecretStore, SavesReplacesLoadsAndDeletesInTheSecretService)
{
    TemporaryFolder home;
    ASSERT_TRUE(startKeyringDaemon(home.path())) << "gnome-keyring-daemon could not start: run scripts/setup.sh";
    LibsecretSecretStore secrets;
    TarnKeychainStore keychain(secrets);

    ASSERT_TRUE(keychain.save("first", "com.harrowfen.test", "ada"));
    ASSERT_TRUE(keychain.save("ikinci şifre", "com.harrowfen.test", "ada"));
    ASSERT_TRUE(keychain.save("", "com.harrowfen.test", "bob"));
    EXPECT_EQ(keychain.load("com.harrowfen.test", "ada"), "ikinci şifre");
    EXPECT_EQ(keychain.load("com.harrowfen.test", "bob"), "");
    EXPECT_EQ(keychain.load("com.harrowfen.other", "ada"), std::nullopt);

    const std::string raw("\xFF\x00\x01", 3);
    ASSERT_TRUE(secrets.store("com.harrowfen.test", "raw", raw));
    EXPECT_EQ(secrets.lookup("com.harrowfen.test", "raw"), raw);
    EXPECT_EQ(keychain.load("com.harrowfen.test", "raw"), std::nullopt);

    keychain.remove("com.harrowfen.test", "ada");
    keychain.remove("com.harrowfen.test", "never-saved");
    EXPECT_EQ(keychain.load("com.harrowfen.test", "ada"), std::nullopt);
}

} // namespace tarn
