#include "Platform/Linux/Services/JsonFileDefaultsStore.h"

#include <fstream>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

TEST(JsonFileDefaultsStore, ValuesSurviveANewStore)
{
    TemporaryFolder folder;
    const auto file = folder.path() / "Harrowfen" / "com.harrowfen.kit.json";
    {
        JsonFileDefaultsStore store(file);
        ASSERT_TRUE(store.setValue("com.harrowfen.preferredLanguage", "de"));
        ASSERT_TRUE(store.setValue("count", 3));
        ASSERT_TRUE(store.removeValue("count"));
    }
    // Stored choices are the user's own business.
    EXPECT_EQ(std::filesystem::status(file).permissions(),
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    JsonFileDefaultsStore reopened(file);
    EXPECT_EQ(reopened.stringValue("com.harrowfen.preferredLanguage"), "de");
    EXPECT_EQ(reopened.value("count"), std::nullopt);
    EXPECT_EQ(reopened.stringValue("missing"), std::nullopt);
}

TEST(JsonFileDefaultsStore, UnreadableFileIsKeptAsideBeforeTheFirstWrite)
{
    TemporaryFolder folder;
    const auto file = folder.path() / "domain.json";
    std::ofstream(file) << "{ not json";
    FakeClock clock;
    clock.setWallStart(WallTime(std::chrono::seconds(1'700'000'000))); // 2023-11-14 22:13:20 UTC
    JsonFileDefaultsStore store(file, clock);
    EXPECT_EQ(store.value("anything"), std::nullopt);
    ASSERT_TRUE(store.setValue("k", true));

    const auto keptAside = folder.path() / "domain.json.unreadable-20231114-221320";
    ASSERT_TRUE(std::filesystem::exists(keptAside));
    std::ifstream kept(keptAside);
    std::string contents((std::istreambuf_iterator<char>(kept)), {});
    EXPECT_EQ(contents, "{ not json");
    EXPECT_EQ(JsonFileDefaultsStore(file).value("k"), true);
}

TEST(JsonFileDefaultsStore, FileForDomainIsInTheFamilyFolder)
{
    XdgPaths paths {"/c", "/s", "/d", "/k"};
    EXPECT_EQ(JsonFileDefaultsStore::fileForDomain(paths, "com.harrowfen.kit"), "/c/Harrowfen/com.harrowfen.kit.json");
}

} // namespace
} // namespace tarn
