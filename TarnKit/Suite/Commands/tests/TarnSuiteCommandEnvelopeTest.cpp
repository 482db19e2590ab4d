#include "TarnKit/Suite/Commands/TarnSuiteCommandEnvelope.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tarn {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr WallTime kStamp {seconds(1'796'915'045)}; // 2026-12-10T15:04:05Z
constexpr std::string_view kId = "0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D";

TarnSuiteCommandEnvelope minimalEnvelope()
{
    return {*Uuid::parse(kId), kStamp, TarnSuiteApp::tarnDock, TarnSuiteApp::tarnMemory,
        TarnSuiteCommandKind::memorySmartOffload, std::nullopt, std::nullopt, std::nullopt};
}

// The minimal envelope's text with one key's value replaced (or removed, for a null `value`).
std::string minimalWith(const std::string& key, const nlohmann::json& value, bool remove = false)
{
    auto object = nlohmann::ordered_json::parse(*minimalEnvelope().toJson());
    if (remove) {
        object.erase(key);
    } else {
        object[key] = value;
    }
    return object.dump();
}

TEST(TarnSuiteCommandEnvelope, WithoutOptionalsWritesFiveKeysInOrder)
{
    EXPECT_EQ(minimalEnvelope().toJson(),
        R"({"id":"0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D","timestamp":"2026-12-10T15:04:05Z","sourceApp":"TarnDock",)"
        R"("targetApp":"TarnMemory","kind":"memorySmartOffload"})");
}

TEST(TarnSuiteCommandEnvelope, WithEveryFieldWritesEightKeysInOrder)
{
    auto envelope = minimalEnvelope();
    envelope.targetPID = 4242;
    envelope.targetName = "Şirket \"Notları\"";
    envelope.payload = "";
    EXPECT_EQ(envelope.toJson(),
        R"({"id":"0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D","timestamp":"2026-12-10T15:04:05Z","sourceApp":"TarnDock",)"
        R"("targetApp":"TarnMemory","kind":"memorySmartOffload","targetPID":4242,)"
        R"("targetName":"Şirket \"Notları\"","payload":""})");
    EXPECT_EQ(TarnSuiteCommandEnvelope::fromJson(*envelope.toJson()), envelope);
}

TEST(TarnSuiteCommandEnvelope, RoundTripKeepsEverythingButTheSubSecondPart)
{
    auto envelope = minimalEnvelope();
    envelope.timestamp = kStamp + milliseconds(750);
    const auto decoded = TarnSuiteCommandEnvelope::fromJson(*envelope.toJson());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_NE(*decoded, envelope);
    envelope.timestamp = kStamp;
    EXPECT_EQ(*decoded, envelope);
}

TEST(TarnSuiteCommandEnvelope, EqualityTellsAbsentFromPresent)
{
    auto withName = minimalEnvelope();
    withName.targetName = "";
    EXPECT_NE(withName, minimalEnvelope());
    EXPECT_EQ(minimalEnvelope(), minimalEnvelope());
}

TEST(TarnSuiteCommandEnvelope, ReadersTakeAnyKeyOrderLowerCaseIdsNullOptionalsAndUnknownKeys)
{
    const auto decoded = TarnSuiteCommandEnvelope::fromJson(
        R"({"kind":"memorySmartOffload","extra":[1,{"x":null}],"targetApp":"TarnMemory","targetPID":null,)"
        R"("payload":null,"sourceApp":"TarnDock","timestamp":"2026-12-10T15:04:05Z",)"
        R"("id":"0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d","targetName":null})");
    EXPECT_EQ(decoded, minimalEnvelope());
}

TEST(TarnSuiteCommandEnvelope, AKindForAnotherApplicationIsStillAnEnvelope)
{
    const auto text = minimalWith("kind", "zenToggleHUD");
    const auto decoded = TarnSuiteCommandEnvelope::fromJson(text);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->kind, TarnSuiteCommandKind::zenToggleHUD);
    EXPECT_EQ(decoded->targetApp, TarnSuiteApp::tarnMemory);
}

TEST(TarnSuiteCommandEnvelope, RefusesTheWholeEnvelopeForOneBadValue)
{
    struct Case {
        const char* why;
        std::string text;
    };
    const Case cases[] = {
        {"kind with a trailing blank", minimalWith("kind", "memorySmartOffload ")},
        {"kind with a capital first letter", minimalWith("kind", "MemorySmartOffload")},
        {"unknown kind", minimalWith("kind", "memoryExplode")},
        {"application by case name", minimalWith("targetApp", "tarnMemory")},
        {"source application lower-cased", minimalWith("sourceApp", "tarndock")},
        {"fractional seconds", minimalWith("timestamp", "2026-12-10T15:04:05.5Z")},
        {"an offset", minimalWith("timestamp", "2026-12-10T18:04:05+03:00")},
        {"a number for a date", minimalWith("timestamp", 1796915045)},
        {"an id without hyphens", minimalWith("id", "0A1B2C3D4E5F4A6B8C7D9E0F1A2B3C4D")},
        {"a process number as text", minimalWith("targetPID", "4242")},
        {"a process number with a fraction", minimalWith("targetPID", 4242.5)},
        {"a whole process number written as a float", minimalWith("targetPID", 4242.0)},
        {"a process number beyond 32 bits", minimalWith("targetPID", 2147483648LL)},
        {"a number for a name", minimalWith("targetName", 7)},
        {"an object for the payload", minimalWith("payload", nlohmann::json::object())},
        {"null for a required key", minimalWith("kind", nullptr)},
        {"no id", minimalWith("id", nullptr, true)},
        {"no timestamp", minimalWith("timestamp", nullptr, true)},
        {"no source", minimalWith("sourceApp", nullptr, true)},
        {"no target", minimalWith("targetApp", nullptr, true)},
        {"no kind", minimalWith("kind", nullptr, true)},
        {"an array", "[]"},
        {"not JSON", "{\"id\":"},
        {"nothing", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TarnSuiteCommandEnvelope::fromJson(c.text), std::nullopt) << c.why << ": " << c.text;
    }
}

// A reader must refuse what send refuses: a command about process 0 or 1, or about a negative
// number (a whole process group to kill(2)), is no command of the family's, whoever wrote it.
TEST(TarnSuiteCommandEnvelope, ProcessNumbersFromTwoToTheThirtyTwoBitLimitDecode)
{
    const struct {
        std::int64_t pid;
        bool decodes;
    } cases[] = {{-2147483648LL, false}, {-7, false}, {-1, false}, {0, false}, {1, false}, {2, true}, {4242, true},
        {2147483647LL, true}};
    for (const auto& [pid, decodes] : cases) {
        const auto decoded = TarnSuiteCommandEnvelope::fromJson(minimalWith("targetPID", pid));
        ASSERT_EQ(decoded.has_value(), decodes) << pid;
        if (decodes) {
            EXPECT_EQ(decoded->targetPID, pid);
        }
    }
}

TEST(TarnSuiteCommandEnvelope, TextThatIsNotUtf8IsNotWritten)
{
    auto envelope = minimalEnvelope();
    envelope.payload = std::string("\xFF\xFE", 2);
    EXPECT_EQ(envelope.toJson(), std::nullopt);
    envelope.payload.reset();
    envelope.targetName = std::string("caf\xC3", 4);
    EXPECT_EQ(envelope.toJson(), std::nullopt);
}

} // namespace
} // namespace tarn
