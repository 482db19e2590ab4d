#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"

#include <set>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(TarnAppIdentity, CatalogRowsAndIndexes)
{
    const auto& all = allTarnAppIdentities();
    std::set<std::string_view> raws;
    for (std::size_t index = 0; index < all.size(); ++index) {
        EXPECT_EQ(catalogIndex(all[index]), index);
        const auto raw = rawValue(all[index]);
        EXPECT_TRUE(raws.insert(raw).second) << raw;
        EXPECT_EQ(tarnAppIdentityFromRawValue(raw), all[index]);
    }
    EXPECT_EQ(raws.size(), 75u);
    const std::pair<std::size_t, std::string_view> fixed[]
        = {{16, "tarnzen"}, {17, "tarndock"}, {28, "tarncapture"}, {36, "tarnvolume"}, {37, "tarntunes"},
            {44, "tarnmemory"}, {45, "tarnsensors"}, {46, "tarnreaper"}, {49, "tarninput"}};
    for (const auto& [index, raw] : fixed) {
        EXPECT_EQ(rawValue(all[index]), raw);
    }
}

TEST(TarnAppIdentity, ResolveKeepsLettersAndDigitsOfTheLastPiece)
{
    for (const char* name : {"com.harrowfen.TarnInput", "TarnInput", "TarnInput.", "Tarn Input", "Tarn-Input",
             "TarnInput!", "tarninput", "com.harrowfen.tarnmouse"}) {
        EXPECT_EQ(resolveTarnAppIdentity(name), TarnAppIdentity::tarnInput) << name;
    }
    EXPECT_EQ(resolveTarnAppIdentity("org.example.Editor"), std::nullopt);
    EXPECT_EQ(resolveTarnAppIdentity(""), std::nullopt);
    EXPECT_EQ(resolveTarnAppIdentity("..."), std::nullopt);
    EXPECT_EQ(tarnAppIdentityFromRawValue("TarnInput"), std::nullopt);
    EXPECT_EQ(resolveTarnAppIdentity("TarnPomodoro"), kTarnAppIdentityTimer);
}

TEST(TarnAppIdentity, CurrentTriesEachSourceInTurn)
{
    EXPECT_EQ(currentTarnAppIdentity(BuildInfo {{}, {}, "TarnInput", "com.example.other"}, std::nullopt),
        TarnAppIdentity::tarnInput);
    EXPECT_EQ(currentTarnAppIdentity(BuildInfo {}, std::string("tarnmemory")), TarnAppIdentity::tarnMemory);
    EXPECT_EQ(currentTarnAppIdentity(BuildInfo {}, std::string("bash")), std::nullopt);
    EXPECT_EQ(currentTarnAppIdentity(), TarnAppIdentity::tarnInput) << "the build's own identifier";
}

} // namespace
} // namespace tarn
