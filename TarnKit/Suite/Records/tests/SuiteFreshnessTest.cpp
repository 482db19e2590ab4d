#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

#include <cerrno>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeProcessProbe.h"
#include "TarnKit/Suite/Records/Rules/SignalProcessProbe.h"
#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

#include <unistd.h>

namespace tarn {
namespace {

using namespace std::chrono_literals;
using suite_testing::kStamp;

constexpr std::int32_t kWriter = 4242;

// Counts the questions, so a test can see that the probe is the last test of the rule.
class CountingProbe final : public ProcessProbe {
public:
    bool isAlive(std::int32_t) const override
    {
        ++m_asked;
        return true;
    }
    int asked() const { return m_asked; }

private:
    mutable int m_asked = 0;
};

TEST(SuiteFreshness, AgeCountsBothWaysAndTheLimitItselfPasses)
{
    FakeProcessProbe probe;
    probe.setAlive(kWriter, true);
    const WallTime now = kStamp;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const struct {
        std::chrono::nanoseconds stampedFromNow;
        double maxAge;
        bool fresh;
    } cases[] {
        {0s, 0, true},
        {-10s, 10, true},
        {10s, 10, true}, // a writer's clock ahead counts the same
        {5s, 10, true},
        {-11s, 10, false},
        {11s, 10, false},
        {-10s - 1ns, 10, false},
        {-500ms, 0.5, true},
        {-501ms, 0.5, false},
        {0s, -1, false},
        {0s, kNaN, false},
        {-100'000h, kInfinity, true},
    };
    for (const auto& [offset, maxAge, fresh] : cases) {
        EXPECT_EQ(SuiteFreshness::isFresh(now + offset, kWriter, now, maxAge, probe), fresh)
            << offset.count() << " ns, limit " << maxAge;
    }
}

TEST(SuiteFreshness, TimesCenturiesApartNeitherOverflowNorPass)
{
    FakeProcessProbe probe;
    probe.setAlive(kWriter, true);
    EXPECT_FALSE(SuiteFreshness::isFresh(WallTime::min(), kWriter, WallTime::max(), 1e9, probe));
    EXPECT_FALSE(SuiteFreshness::isFresh(WallTime::max(), kWriter, WallTime::min(), 1e9, probe));
    EXPECT_TRUE(SuiteFreshness::isFresh(WallTime::max(), kWriter, WallTime::min(), 1e11, probe));
}

TEST(SuiteFreshness, TheWriterMustBeAPositiveProcessThatExists)
{
    FakeProcessProbe probe;
    probe.setAlive(kWriter, true);
    probe.setAlive(0, true);
    probe.setAlive(-1, true);
    EXPECT_TRUE(SuiteFreshness::isFresh(kStamp, kWriter, kStamp, 10, probe));
    EXPECT_FALSE(SuiteFreshness::isFresh(kStamp, kWriter + 1, kStamp, 10, probe));
    // 0 and negative identifiers name no single process, whatever the probe would say.
    EXPECT_FALSE(SuiteFreshness::isFresh(kStamp, 0, kStamp, 10, probe));
    EXPECT_FALSE(SuiteFreshness::isFresh(kStamp, -1, kStamp, 10, probe));
    probe.setAlive(kWriter, false);
    EXPECT_FALSE(SuiteFreshness::isFresh(kStamp, kWriter, kStamp, 10, probe));
}

TEST(SuiteFreshness, TheProcessIsAskedOnlyWhenAgeAndIdentifierPass)
{
    CountingProbe probe;
    EXPECT_FALSE(SuiteFreshness::isFresh(kStamp - 60s, kWriter, kStamp, 10, probe));
    EXPECT_FALSE(SuiteFreshness::isFresh(kStamp, 0, kStamp, 10, probe));
    EXPECT_EQ(probe.asked(), 0);
    EXPECT_TRUE(SuiteFreshness::isFresh(kStamp, kWriter, kStamp, 10, probe));
    EXPECT_EQ(probe.asked(), 1);
}

TEST(SignalProcessProbe, SignalZeroAnswersAndPermissionRefusalsCountAsAlive)
{
    EXPECT_TRUE(SignalProcessProbe::isAliveAnswer(0, 0));
    // Another user's process refuses the signal but exists.
    EXPECT_TRUE(SignalProcessProbe::isAliveAnswer(-1, EPERM));
    EXPECT_FALSE(SignalProcessProbe::isAliveAnswer(-1, ESRCH));
    EXPECT_FALSE(SignalProcessProbe::isAliveAnswer(-1, EINVAL));
}

TEST(SignalProcessProbe, AsksTheKernel)
{
    const SignalProcessProbe probe;
    EXPECT_TRUE(probe.isAlive(static_cast<std::int32_t>(::getpid())));
    // Above any pid_max the kernel allows.
    EXPECT_FALSE(probe.isAlive(std::numeric_limits<std::int32_t>::max()));
    // Would signal a process group or every process; never asked.
    EXPECT_FALSE(probe.isAlive(0));
    EXPECT_FALSE(probe.isAlive(-1));
}

} // namespace
} // namespace tarn
