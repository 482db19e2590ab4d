#include "TarnKit/Services/TarnSecurityBookmarkStore.h"

#include <gtest/gtest.h>

#include "Platform/Fake/FakeDefaultsStore.h"
#include "tests/TemporaryFolder.h"

namespace tarn {

TEST(TarnSecurityBookmarkStore, StoresStandardizedPathsAndResolvesExistingOnesInByteOrder)
{
    TemporaryFolder folder;
    std::filesystem::create_directories(folder.path() / "Zeta");
    std::filesystem::create_directories(folder.path() / "alpha");
    FakeDefaultsStore defaults;
    TarnSecurityBookmarkStore store("com.harrowfen.test.bookmarks", defaults);

    ASSERT_TRUE(store.saveBookmark(folder.path() / "." / "alpha/"));
    ASSERT_TRUE(store.saveBookmark(folder.path() / "alpha" / ".." / "Zeta"));
    const auto alpha = (folder.path() / "alpha").string();
    const auto zeta = (folder.path() / "Zeta").string();
    EXPECT_EQ(store.resolveAllBookmarks(), (std::vector<std::filesystem::path> {zeta, alpha}));

    // A second store for the same key sees the same records.
    TarnSecurityBookmarkStore again("com.harrowfen.test.bookmarks", defaults);
    EXPECT_EQ(again.resolveAllBookmarks().size(), 2u);

    // Only the exact stored text removes an entry.
    store.removeBookmark((folder.path() / "." / "alpha").string());
    EXPECT_EQ(store.resolveAllBookmarks().size(), 2u);
    store.removeBookmark(alpha);
    EXPECT_EQ(store.resolveAllBookmarks(), (std::vector<std::filesystem::path> {zeta}));
}

TEST(TarnSecurityBookmarkStore, AMissingTargetDropsOutButStaysStored)
{
    TemporaryFolder folder;
    std::filesystem::create_directories(folder.path() / "gone");
    FakeDefaultsStore defaults;
    TarnSecurityBookmarkStore store("key", defaults);
    ASSERT_TRUE(store.saveBookmark(folder.path() / "gone"));
    std::filesystem::remove(folder.path() / "gone");
    EXPECT_TRUE(store.resolveAllBookmarks().empty());
    EXPECT_EQ(defaults.value("key")->size(), 1u);

    EXPECT_FALSE(store.saveBookmark(folder.path() / "never-there"));
    EXPECT_EQ(defaults.value("key")->size(), 1u);
}

TEST(TarnSecurityBookmarkStore, AStoredValueOfTheWrongShapeReadsAsEmpty)
{
    FakeDefaultsStore defaults;
    TarnSecurityBookmarkStore store("key", defaults);
    for (const auto& stored : {nlohmann::json("text"), nlohmann::json {{"/tmp", 3}}, nlohmann::json::array()}) {
        ASSERT_TRUE(defaults.setValue("key", stored));
        EXPECT_TRUE(store.resolveAllBookmarks().empty());
    }
}

TEST(TarnSecurityBookmarkStore, ScopedAccessAlwaysRunsTheBodyAndPassesItsResultAndErrors)
{
    EXPECT_EQ(TarnSecurityBookmarkStore::withScopedAccess("/nowhere", [] { return 42; }), 42);
    EXPECT_THROW(
        TarnSecurityBookmarkStore::withScopedAccess("/nowhere", []() -> int { throw std::runtime_error("x"); }),
        std::runtime_error);
}

} // namespace tarn
