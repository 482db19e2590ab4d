#include "TarnKit/Foundation/Identity/TarnSemVer.h"

#include <limits>

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Identity/TarnAppVersion.h"

namespace tarn {
namespace {

TEST(TarnAppVersion, CurrentTrimsAndFallsBack)
{
    EXPECT_EQ(TarnAppVersion::current({" 2.4.1\n", "77", {}, {}}, "1.0.0", "100"), (TarnAppVersion {"2.4.1", "77"}));
    EXPECT_EQ(TarnAppVersion::current({"  ", std::nullopt, {}, {}}, "1.0.0", "100"), (TarnAppVersion {"1.0.0", "100"}));
    const TarnAppVersion version {"2.4.1", "77"};
    EXPECT_EQ(version.tag(), "v2.4.1");
    EXPECT_EQ(version.detailedDisplay(), "v2.4.1 (77)");
    EXPECT_EQ(version.semVer(), TarnSemVer(2, 4, 1));
    EXPECT_EQ((TarnAppVersion {"beta", "1"}).semVer(), std::nullopt);
}

TEST(TarnSemVer, ParsesOnlyStrictVersions)
{
    for (const char* text : {"v1.2.3", "V1.2.3", " 1.2.3 ", "1.2.3\n", "01.02.03", "+1.2.3"}) {
        EXPECT_EQ(TarnSemVer::parsing(text), TarnSemVer(1, 2, 3)) << text;
    }
    for (const char* text :
        {"vv1.2.3", "1.2", "1.2.3.4", "1..3", "1.2.3-beta", "1.2.-3", "", "1. 2.3", "1.2.99999999999999999999"}) {
        EXPECT_EQ(TarnSemVer::parsing(text), std::nullopt) << text;
    }
    const auto refused = TarnSemVer::parse(" 1.2 ");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().errorDescription(), "Invalid SemVer 2.0.0 string: ' 1.2 ' (expected MAJOR.MINOR.PATCH).");
}

TEST(TarnSemVer, NegativeArgumentsClampAndDecodingKeepsThem)
{
    EXPECT_EQ(TarnSemVer(-1, 2, -5).description(), "0.2.0");
    const auto decoded = TarnSemVer::fromJson({{"major", -1}, {"minor", 2}, {"patch", 3}});
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->major, -1);
    EXPECT_EQ(decoded->bumped(TarnVersionBumpKind::patch).description(), "0.2.4");
    EXPECT_EQ(TarnSemVer::fromJson({{"major", 1}, {"minor", 2}}), std::nullopt);
    EXPECT_EQ(TarnSemVer::fromJson({{"major", 1}, {"minor", 2.0}, {"patch", 3}}), std::nullopt);
    EXPECT_EQ(TarnSemVer(1, 2, 3).toJson().dump(), R"({"major":1,"minor":2,"patch":3})");
}

TEST(TarnSemVer, BumpsAndOrdering)
{
    const TarnSemVer version(1, 2, 3);
    EXPECT_EQ(version.bumped(TarnVersionBumpKind::build), TarnSemVer(1, 2, 3));
    EXPECT_EQ(version.bumped(TarnVersionBumpKind::patch), TarnSemVer(1, 2, 4));
    EXPECT_EQ(version.bumped(TarnVersionBumpKind::minor), TarnSemVer(1, 3, 0));
    EXPECT_EQ(version.bumped(TarnVersionBumpKind::major), TarnSemVer(2, 0, 0));
    EXPECT_LT(TarnSemVer(1, 9, 9), TarnSemVer(2, 0, 0));
    EXPECT_LT(TarnSemVer(1, 2, 3), TarnSemVer(1, 2, 10));
    // The top of the range stays there instead of overflowing.
    const auto top = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(TarnSemVer(top, top, top).bumped(TarnVersionBumpKind::patch), TarnSemVer(top, top, top));
}

TEST(TarnSemVer, TransitionPolicy)
{
    const TarnSemVer from(1, 2, 3);
    struct Case {
        TarnSemVer to;
        TarnVersionBumpKind kind;
        const char* expected; // empty when allowed
    };
    const Case cases[] = {
        {{1, 2, 3}, TarnVersionBumpKind::build, ""},
        {{1, 2, 4}, TarnVersionBumpKind::patch, ""},
        {{1, 3, 0}, TarnVersionBumpKind::minor, ""},
        {{2, 0, 0}, TarnVersionBumpKind::major, ""},
        {{1, 2, 2}, TarnVersionBumpKind::major, "Version downgrade blocked: 1.2.3 -> 1.2.2."},
        {{1, 2, 5}, TarnVersionBumpKind::patch,
            "Multi-step version jump blocked by Harrowfen policy: 1.2.3 -> 1.2.5. Only +1 increments are permitted."},
        {{1, 4, 0}, TarnVersionBumpKind::minor,
            "Multi-step version jump blocked by Harrowfen policy: 1.2.3 -> 1.4.0. Only +1 increments are permitted."},
        {{3, 0, 0}, TarnVersionBumpKind::major,
            "Multi-step version jump blocked by Harrowfen policy: 1.2.3 -> 3.0.0. Only +1 increments are permitted."},
        {{2, 0, 0}, TarnVersionBumpKind::minor, "Transition 1.2.3 -> 2.0.0 does not match requested 'minor' bump."},
        {{2, 1, 0}, TarnVersionBumpKind::major, "Transition 1.2.3 -> 2.1.0 does not match requested 'major' bump."},
        {{1, 2, 3}, TarnVersionBumpKind::patch, "Transition 1.2.3 -> 1.2.3 does not match requested 'patch' bump."},
    };
    for (const auto& item : cases) {
        const auto result = TarnSemVer::validateTransition(from, item.to, item.kind);
        const std::string actual = result ? "" : result.error().errorDescription();
        EXPECT_EQ(actual, item.expected) << item.to.description();
    }
}

TEST(TarnSemVer, TransitionAtTheEdgesOfTheRangeDoesNotOverflow)
{
    const auto top = std::numeric_limits<std::int64_t>::max();
    const auto decodedLow
        = TarnSemVer::fromJson({{"major", std::numeric_limits<std::int64_t>::min()}, {"minor", 0}, {"patch", 0}});
    ASSERT_TRUE(decodedLow);
    const auto result = TarnSemVer::validateTransition(*decodedLow, TarnSemVer(top, 0, 0), TarnVersionBumpKind::major);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind, TarnSemVerError::Kind::multiStepJumpBlocked);
}

TEST(TarnVersionBumpKind, RawValuesAreCaseSensitive)
{
    EXPECT_EQ(tarnVersionBumpKindFromRawValue("minor"), TarnVersionBumpKind::minor);
    EXPECT_EQ(tarnVersionBumpKindFromRawValue("Minor"), std::nullopt);
    EXPECT_EQ(rawValue(TarnVersionBumpKind::build), "build");
}

} // namespace
} // namespace tarn
