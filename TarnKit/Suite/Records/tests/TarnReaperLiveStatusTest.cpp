#include "TarnKit/Suite/Records/TarnReaperLiveStatus.h"

#include <gtest/gtest.h>

#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;

TarnReaperLiveStatus reaper(
    std::vector<std::string> unresponsive, std::vector<std::int32_t> frozen, std::optional<std::string> focusProfile)
{
    return TarnReaperLiveStatus(
        kStamp, 77, 412, 2, 5, std::move(unresponsive), 1, std::move(frozen), std::move(focusProfile), 2'000'000, 14);
}

TEST(TarnReaperLiveStatus, WritesTheFieldsInOrder)
{
    EXPECT_EQ(writtenKeys(reaper({"Mail"}, {501}, "Deep Work")),
        (std::vector<std::string> {"timestamp", "senderPID", "totalProcessCount", "unresponsiveCount",
            "problematicCount", "unresponsiveAppNames", "memoryLeakCount", "autoFrozenPIDs", "activeFocusProfileName",
            "reclaimedFocusBytes", "listeningPortCount"}));
    EXPECT_EQ(writtenKeys(reaper({}, {}, std::nullopt)).size(), 10u);
}

TEST(TarnReaperLiveStatus, FrozenProcessIdentifiersAre32Bit)
{
    const auto complete = json(encodeSuiteRecord(reaper({}, {501}, std::nullopt)).value());
    const struct {
        const char* value;
        std::optional<std::vector<std::int32_t>> frozen;
    } cases[] {
        {"[2147483647]", std::vector<std::int32_t> {2147483647}},
        {"[2147483648]", std::nullopt},
        {"[]", std::vector<std::int32_t> {}},
        {"[1, 1.5]", std::nullopt},
        {"null", std::nullopt},
    };
    for (const auto& [value, frozen] : cases) {
        const auto decoded = decodeSuiteRecord<TarnReaperLiveStatus>(withKey(complete, "autoFrozenPIDs", value));
        ASSERT_EQ(decoded.has_value(), frozen.has_value()) << value;
        if (decoded) {
            EXPECT_EQ(decoded->autoFrozenPIDs(), *frozen);
        }
    }
}

TEST(TarnReaperLiveStatus, AnEmptyFocusProfileIsPresent)
{
    const auto empty = reaper({}, {}, "");
    EXPECT_EQ(empty.toJson().value()["activeFocusProfileName"], "");
    const auto decoded = roundTripped(empty);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->activeFocusProfileName(), std::optional<std::string>(""));
    EXPECT_NE(empty, reaper({}, {}, std::nullopt));
}

TEST(TarnReaperLiveStatus, ListsCompareInOrderAndTextsByCanonicalEquivalence)
{
    EXPECT_NE(reaper({"Mail", "Notes"}, {}, std::nullopt), reaper({"Notes", "Mail"}, {}, std::nullopt));
    EXPECT_NE(reaper({}, {1, 2}, std::nullopt), reaper({}, {2, 1}, std::nullopt));
    EXPECT_EQ(reaper({"Re\u0301sume\u0301"}, {}, "Caf\u00E9"), reaper({"R\u00E9sum\u00E9"}, {}, "Cafe\u0301"));
    EXPECT_EQ(roundTripped(reaper({"Mail", "Notes"}, {501, 777}, "Deep Work")),
        reaper({"Mail", "Notes"}, {501, 777}, "Deep Work"));
}

} // namespace
} // namespace tarn
