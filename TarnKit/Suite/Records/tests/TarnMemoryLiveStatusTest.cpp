#include "TarnKit/Suite/Records/TarnMemoryLiveStatus.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeProcessProbe.h"
#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;

TarnMemoryOffloadLiveProgress progress(std::int64_t totalSteps, double fraction)
{
    return TarnMemoryOffloadLiveProgress(kStamp, true, false, 2, totalSteps, fraction, "Freezing", "Donduruluyor",
        "Safari", "Safari", 1'000'000, 4'000'000, {"Safari", "Mail"}, "warning");
}

TarnMemoryLiveStatus status(std::optional<TarnMemoryOffloadLiveProgress> offload, std::int64_t pools = 0,
    std::int64_t sparseDisks = 0, std::int64_t ramDisks = 0)
{
    return TarnMemoryLiveStatus(kStamp, 321, 17'179'869'184, 12'000'000'000, 1'500'000'000, 69.8, 2'147'483'648,
        500'000'000, 2, true, "warning", 74, pools, 10'000, 4'000, {"Pool A"}, sparseDisks, 20'000, 6'000, {"Sparse"},
        ramDisks, 1'073'741'824, {"RAM"}, 2, {501, 777}, 300'000'000, std::move(offload));
}

TEST(TarnMemoryOffloadLiveProgress, TheInitialiserHoldsStepsAndFractionInRange)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::int64_t steps;
        double fraction;
        std::int64_t storedSteps;
        double storedFraction;
    } cases[] {
        {0, 0.5, 1, 0.5},
        {-3, 0.5, 1, 0.5},
        {7, 1.7, 7, 1.0},
        {7, -0.2, 7, 0.0},
        {7, kNaN, 7, 0.0},
        {7, std::numeric_limits<double>::infinity(), 7, 1.0},
        {7, 0.25, 7, 0.25},
    };
    for (const auto& [steps, fraction, storedSteps, storedFraction] : cases) {
        const auto made = progress(steps, fraction);
        EXPECT_EQ(made.totalSteps(), storedSteps) << steps;
        EXPECT_EQ(made.fractionCompleted(), storedFraction) << fraction;
    }
}

TEST(TarnMemoryOffloadLiveProgress, DecodingKeepsWhatTheFileSays)
{
    auto object = progress(7, 0.5).toJson().value();
    object["totalSteps"] = 0;
    object["fractionCompleted"] = 1.7;
    const auto decoded = decodeSuiteRecord<TarnMemoryOffloadLiveProgress>(object.dump());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->totalSteps(), 0);
    EXPECT_EQ(decoded->fractionCompleted(), 1.7);
}

TEST(TarnMemoryLiveStatus, WritesTheFieldsInOrderAndLeavesAnAbsentProgressOut)
{
    const std::vector<std::string> keys {"timestamp", "senderPID", "physicalTotalBytes", "physicalUsedBytes",
        "compressedBytes", "usedPercent", "swapTotalBytes", "swapUsedBytes", "swapFileCount", "swapEncrypted",
        "pressureLevel", "healthScore", "activeDiskPoolCount", "diskPoolVirtualBytes", "diskPoolActualDiskBytes",
        "diskPoolNames", "mountedSparseDiskCount", "sparseDiskVirtualBytes", "sparseDiskActualBytes", "sparseDiskNames",
        "mountedRAMDiskCount", "ramDiskTotalBytes", "ramDiskNames", "frozenAppCount", "frozenPIDs",
        "reclaimedFromFrozenBytes"};
    EXPECT_EQ(writtenKeys(status(std::nullopt)), keys);
    auto withProgress = keys;
    withProgress.push_back("offloadProgress");
    EXPECT_EQ(writtenKeys(status(progress(3, 0.5))), withProgress);
    EXPECT_EQ(writtenKeys(progress(3, 0.5)),
        (std::vector<std::string> {"timestamp", "isRunning", "isCompletedSummary", "stepIndex", "totalSteps",
            "fractionCompleted", "phaseTitleEN", "phaseTitleTR", "detailEN", "detailTR", "allocatedBytes",
            "targetBytes", "frozenAppNames", "livePressure"}));
    EXPECT_EQ(status(std::nullopt).toJson().value()["timestamp"], kStampText);
}

TEST(TarnMemoryLiveStatus, ProgressMayBeMissingOrNullButNeverPartial)
{
    const auto complete = status(progress(3, 0.5)).toJson().value();
    const std::string partialProgress = [&] {
        auto object = complete;
        object["offloadProgress"].erase("livePressure");
        return object.dump();
    }();
    const struct {
        std::string text;
        bool decodes;
        bool hasProgress;
    } cases[] {
        {complete.dump(), true, true},
        {withKey(json(complete.dump()), "offloadProgress", ""), true, false},
        {withKey(json(complete.dump()), "offloadProgress", "null"), true, false},
        {partialProgress, false, false},
        {withKey(json(complete.dump()), "offloadProgress", "{}"), false, false},
        {withKey(json(complete.dump()), "offloadProgress", "[]"), false, false},
    };
    for (const auto& [text, decodes, hasProgress] : cases) {
        const auto decoded = decodeSuiteRecord<TarnMemoryLiveStatus>(text);
        ASSERT_EQ(decoded.has_value(), decodes) << text;
        if (decoded) {
            EXPECT_EQ(decoded->offloadProgress().has_value(), hasProgress) << text;
        }
    }
}

TEST(TarnMemoryLiveStatus, EveryOtherKeyIsRequiredWithItsOwnType)
{
    const auto complete = json(encodeSuiteRecord(status(std::nullopt)).value());
    const struct {
        const char* key;
        const char* value; // empty: the key is left out
    } refused[] {
        {"healthScore", ""},
        {"healthScore", "null"},
        {"healthScore", "74.5"},
        {"timestamp", "\"2026-12-10T15:04:05.000Z\""},
        {"timestamp", "1796915045"},
        {"senderPID", "2147483648"},
        {"swapEncrypted", "1"},
        {"pressureLevel", "2"},
        {"usedPercent", "\"69.8\""},
        {"frozenPIDs", "[501, 2147483648]"},
        {"diskPoolNames", "[\"a\", null]"},
        {"ramDiskNames", ""},
    };
    for (const auto& [key, value] : refused) {
        EXPECT_FALSE(decodeSuiteRecord<TarnMemoryLiveStatus>(withKey(complete, key, value))) << key << " " << value;
    }
    EXPECT_TRUE(decodeSuiteRecord<TarnMemoryLiveStatus>(withKey(complete, "healthScore", "74.0")));
    EXPECT_TRUE(decodeSuiteRecord<TarnMemoryLiveStatus>(withKey(complete, "somethingNew", "[1, {}]")));
    EXPECT_FALSE(decodeSuiteRecord<TarnMemoryLiveStatus>("[]"));
    EXPECT_FALSE(decodeSuiteRecord<TarnMemoryLiveStatus>("{\"timestamp\":"));
}

TEST(TarnMemoryLiveStatus, RoundTripsAndComparesEveryField)
{
    for (const auto& original : {status(std::nullopt), status(progress(3, 0.5), 1, 2, 3)}) {
        EXPECT_EQ(roundTripped(original), original);
    }
    EXPECT_NE(status(std::nullopt), status(progress(3, 0.5)));
    EXPECT_NE(status(progress(3, 0.5)), status(progress(3, 0.25)));
    EXPECT_NE(status(std::nullopt, 1), status(std::nullopt));
}

TEST(TarnMemoryLiveStatus, AStatusThatCannotBeWrittenGivesNoText)
{
    const auto unwritable = TarnMemoryLiveStatus(kStamp, 321, 0, 0, 0, std::nan(""), 0, 0, 0, false, "normal", 0, 0, 0,
        0, {}, 0, 0, 0, {}, 0, 0, {}, 0, {}, 0, std::nullopt);
    EXPECT_EQ(encodeSuiteRecord(unwritable), std::nullopt);
}

TEST(TarnMemoryLiveStatus, DerivedValues)
{
    EXPECT_FALSE(status(std::nullopt).hasVirtualDiskExpansion());
    EXPECT_TRUE(status(std::nullopt, 0, 0, 1).hasVirtualDiskExpansion());
    EXPECT_TRUE(status(std::nullopt, 1).hasVirtualDiskExpansion());
    EXPECT_TRUE(status(std::nullopt, 0, 1).hasVirtualDiskExpansion());
    // The RAM disks take no part in the pools' totals.
    EXPECT_EQ(status(std::nullopt).totalVirtualPoolCapacityBytes(), 30'000);
    EXPECT_EQ(status(std::nullopt).totalVirtualDiskActualBytes(), 10'000);

    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    const auto corrupt = TarnMemoryLiveStatus(kStamp, 321, 0, 0, 0, 0, 0, 0, 0, false, "normal", 0, 1, kMax, kMax, {},
        1, kMax, 1, {}, 0, 0, {}, 0, {}, 0, std::nullopt);
    EXPECT_EQ(corrupt.totalVirtualPoolCapacityBytes(), kMax);
    EXPECT_EQ(corrupt.totalVirtualDiskActualBytes(), kMax);
}

TEST(TarnMemoryLiveStatus, FreshnessIsTheSuiteRule)
{
    FakeProcessProbe probe;
    probe.setAlive(321, true);
    const auto record = status(std::nullopt);
    EXPECT_TRUE(record.isFresh(kStamp + std::chrono::seconds(18), 18, probe));
    EXPECT_FALSE(record.isFresh(kStamp + std::chrono::seconds(19), 18, probe));
    probe.setAlive(321, false);
    EXPECT_FALSE(record.isFresh(kStamp, 18, probe));
}

} // namespace
} // namespace tarn
