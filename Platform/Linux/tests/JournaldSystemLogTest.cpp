#include "Platform/Linux/Services/JournaldSystemLog.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(JournaldSystemLogTest, CarriesIdentifierCategoryAndPriority)
{
    const std::vector<std::string> expected {
        "MESSAGE=[tap] Stopped 100% of /dev/input/event3\nsecond line",
        "PRIORITY=3",
        "SYSLOG_IDENTIFIER=com.harrowfen.tarninput",
        "CATEGORY=runtime",
    };
    EXPECT_EQ(JournaldSystemLog::fields("com.harrowfen.tarninput", "runtime", SystemLogType::error,
                  "[tap] Stopped 100% of /dev/input/event3\nsecond line"),
        expected);
    EXPECT_EQ(JournaldSystemLog::fields("s", "c", SystemLogType::info, "m")[1], "PRIORITY=6");
    EXPECT_EQ(JournaldSystemLog::fields("s", "c", SystemLogType::debug, "m")[1], "PRIORITY=7");
}

TEST(JournaldSystemLogTest, WritingWithoutAJournalIsHarmless)
{
    // On a machine without journald the send fails quietly; it must never throw or crash.
    JournaldSystemLog log;
    log.write("com.harrowfen.tarninput-test", "runtime", SystemLogType::debug, "%s %n format characters");
}

} // namespace
} // namespace tarn
