// The keychain against a real Secret Service: a private gnome-keyring-daemon on this test's
// session bus, with a keyring in a temporary home that the test unlocks itself.

#include "Platform/Linux/Services/LibsecretSecretStore.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include "TarnKit/Foundation/Files/CHandle.h"
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
    if (std::system(command.c_str()) != 0) {
        return false;
    }
    // The daemon claims its bus name after it has gone to the background. Asked before that, the
    // bus would start a second, locked daemon of its own, which wants a password prompt.
    using Bus = CHandle<sd_bus, sd_bus_flush_close_unref>;
    sd_bus* raw = nullptr;
    const Bus bus(sd_bus_open_user(&raw) >= 0 ? raw : nullptr);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (bus && std::chrono::steady_clock::now() < deadline) {
        sd_bus_message* reply = nullptr;
        int owned = 0;
        if (sd_bus_call_method(bus.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "NameHasOwner", nullptr, &reply, "s", "org.freedesktop.secrets")
            >= 0) {
            sd_bus_message_read(reply, "b", &owned);
            sd_bus_message_unref(reply);
        }
        if (owned != 0) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
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
