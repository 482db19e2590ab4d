#include "TarnKit/Suite/Records/TarnSensorsLiveStatus.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeProcessProbe.h"
#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;
using std::nullopt;

TarnSensorsLiveStatus sensors(std::optional<double> cpu, std::optional<double> gpu, std::optional<double> soc,
    std::optional<std::int64_t> fan = 2400, double cpuLoad = 31.5)
{
    return TarnSensorsLiveStatus(
        kStamp, 900, cpuLoad, 12.0, 64.25, 1'048'576, cpu, gpu, soc, fan, 18.4, 92, "nominal", 97);
}

TEST(TarnSensorsLiveStatus, HeadlineTemperatureRanksTheChipBeforeTheGraphics)
{
    const struct {
        std::optional<double> cpu, gpu, soc, headline;
    } cases[] {
        {nullopt, 70, 55, 55},
        {nullopt, 70, nullopt, 70},
        {nullopt, nullopt, nullopt, nullopt},
        {48, 70, 55, 48},
        {48, nullopt, nullopt, 48},
    };
    for (const auto& [cpu, gpu, soc, headline] : cases) {
        EXPECT_EQ(sensors(cpu, gpu, soc).headlineTempCelsius(), headline);
    }
}

TEST(TarnSensorsLiveStatus, OptionalsMayBeMissingOrNullAndAreThenLeftOut)
{
    const auto complete = json(encodeSuiteRecord(sensors(48, 70, 55)).value());
    for (const char* value : {"", "null"}) {
        const auto decoded = decodeSuiteRecord<TarnSensorsLiveStatus>(withKey(complete, "fanMaxRPM", value));
        ASSERT_TRUE(decoded) << value;
        EXPECT_EQ(decoded->fanMaxRPM(), nullopt);
        EXPECT_EQ(decoded->toJson().value().count("fanMaxRPM"), 0u);
    }
    EXPECT_EQ(writtenKeys(sensors(nullopt, nullopt, nullopt, nullopt)),
        (std::vector<std::string> {"timestamp", "senderPID", "cpuTotalPercent", "gpuTotalPercent", "memoryUsedPercent",
            "swapUsedBytes", "systemWatts", "healthScore", "thermalState", "nvmeHealthPercent"}));
    EXPECT_EQ(writtenKeys(sensors(1, 2, 3)).size(), 14u);
}

TEST(TarnSensorsLiveStatus, RequiredKeysAndIntegerFieldsAreStrict)
{
    const auto complete = json(encodeSuiteRecord(sensors(48, 70, 55)).value());
    const struct {
        const char* key;
        const char* value;
        bool decodes;
    } cases[] {
        {"thermalState", "", false},
        {"thermalState", "null", false},
        {"healthScore", "87.5", false},
        {"healthScore", "87.0", true},
        {"fanMaxRPM", "2400.5", false},
        {"fanMaxRPM", "\"2400\"", false},
        {"cpuTempCelsius", "true", false},
        {"cpuTotalPercent", "", false},
        {"swapUsedBytes", "9223372036854775807", true},
        {"swapUsedBytes", "9223372036854775808", false},
        {"senderPID", "-2147483648", true},
        {"senderPID", "-2147483649", false},
    };
    for (const auto& [key, value, decodes] : cases) {
        EXPECT_EQ(decodeSuiteRecord<TarnSensorsLiveStatus>(withKey(complete, key, value)).has_value(), decodes)
            << key << " " << value;
    }
}

TEST(TarnSensorsLiveStatus, UnknownKeysAreDroppedAndDoNotComeBack)
{
    const auto complete = json(encodeSuiteRecord(sensors(48, 70, 55)).value());
    const auto decoded = decodeSuiteRecord<TarnSensorsLiveStatus>(withKey(complete, "fanMinRPM", "900"));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, sensors(48, 70, 55));
    EXPECT_EQ(decoded->toJson().value().count("fanMinRPM"), 0u);
}

TEST(TarnSensorsLiveStatus, RoundTripsButNaNAndInfinityCannotBeWritten)
{
    for (const auto& original : {sensors(48, 70, 55), sensors(nullopt, nullopt, nullopt, nullopt)}) {
        EXPECT_EQ(roundTripped(original), original);
    }
    EXPECT_EQ(encodeSuiteRecord(sensors(48, 70, 55, 2400, std::nan(""))), nullopt);
    EXPECT_EQ(encodeSuiteRecord(sensors(std::numeric_limits<double>::infinity(), 70, 55)), nullopt);
    // NaN equals nothing, not even the same record.
    EXPECT_NE(sensors(48, 70, 55, 2400, std::nan("")), sensors(48, 70, 55, 2400, std::nan("")));
    EXPECT_EQ(sensors(48, 70, 55, 2400, -0.0), sensors(48, 70, 55, 2400, 0.0));
    EXPECT_NE(sensors(48, 70, 55), sensors(48, 70, nullopt));
}

TEST(TarnSensorsLiveStatus, FreshnessNeedsAPositiveLivingWriter)
{
    FakeProcessProbe probe;
    probe.setAlive(900, true);
    EXPECT_TRUE(sensors(48, 70, 55).isFresh(kStamp - std::chrono::seconds(5), 10, probe));
    const auto noWriter = TarnSensorsLiveStatus(
        kStamp, 0, 1, 1, 1, 0, nullopt, nullopt, nullopt, nullopt, nullopt, 0, "nominal", nullopt);
    EXPECT_FALSE(noWriter.isFresh(kStamp, 1e9, probe));
}

} // namespace
} // namespace tarn
