#include "TarnInput/ViewModel/SettingsSession.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "Platform/Fake/App/CallJournal.h"
#include "Platform/Fake/App/FakeMainThreadTimers.h"
#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

// A session over a file in a folder of its own, recording what reached the engine and the user.
// The interval runs on the virtual clock: `advance` moves it and ends the waits that fall due.
class SettingsSessionTest : public ::testing::Test {
protected:
    SettingsSessionTest()
    {
        std::random_device random;
        m_folder = std::filesystem::temp_directory_path() / fmt::format("tarn-session-{:x}{:x}", random(), random());
        std::filesystem::create_directories(m_folder);
    }

    ~SettingsSessionTest() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::unique_ptr<SettingsSession> open(std::chrono::milliseconds interval = SettingsSession::kSaveInterval)
    {
        return std::make_unique<SettingsSession>(file(), SettingsSession::Services {clock, log, mainThread, timers},
            SettingsSession::Wiring {
                .applyNow
                = [this](const SettingsSession::SharedSettings& settings) { engineValues.push_back(*settings); },
                .onSaveFailure = [this](const std::string& reason) { failures.push_back(reason); },
            },
            interval);
    }

    void advance(std::chrono::milliseconds step) { executor.advance(step); }

    std::filesystem::path file() const { return m_folder / "config" / "input-settings.json"; }

    // The speed the file holds; absent when there is no file or it is not whole.
    std::optional<double> storedSpeed() const
    {
        std::ifstream stream(file());
        if (!stream) {
            return std::nullopt;
        }
        const auto json = nlohmann::json::parse(stream, nullptr, false);
        if (json.is_discarded() || !json.contains("scrollSpeedMultiplier")) {
            return std::nullopt;
        }
        return json["scrollSpeedMultiplier"].get<double>();
    }

    static SettingsSession::Edit speed(double value)
    {
        return [value](InputSettings& settings) { settings.scrollSpeedMultiplier = value; };
    }

    FakeClock clock;
    FakeEngineExecutor executor {clock};
    CallJournal journal;
    FakeMainThreadTimers timers {executor, journal};
    RecordingLogSink log;
    ManualMainThreadExecutor mainThread;
    std::vector<InputSettings> engineValues;
    std::vector<std::string> failures;

private:
    std::filesystem::path m_folder;
};

TEST_F(SettingsSessionTest, StartUpWritesNothingAndAChangeReachesTheEngineBeforeItReturns)
{
    auto session = open();
    session->correctLoaded([](InputSettings& settings) { settings.disableMouseAcceleration = true; });
    session->flush();
    EXPECT_FALSE(std::filesystem::exists(file()));
    EXPECT_TRUE(engineValues.empty());

    session->change(speed(2.5));

    ASSERT_EQ(engineValues.size(), 1U);
    EXPECT_EQ(engineValues[0].scrollSpeedMultiplier, 2.5);
    EXPECT_TRUE(engineValues[0].disableMouseAcceleration);
    session->flush();
    EXPECT_EQ(storedSpeed(), 2.5);
    EXPECT_EQ(session->writeCount(), 1U);
}

// A change within the interval after a write reaches the engine at once and the writer when the
// interval ends, on a timer that exists only while the change waits.
TEST_F(SettingsSessionTest, AChangeWithinTheIntervalWaitsForItsEnd)
{
    auto session = open(250ms);
    session->change(speed(1.5));
    EXPECT_FALSE(session->holdsBackAChange());
    session->flush();
    EXPECT_EQ(storedSpeed(), 1.5);

    advance(100ms);
    session->change(speed(2.0));
    EXPECT_TRUE(session->holdsBackAChange());
    EXPECT_EQ(engineValues.back().scrollSpeedMultiplier, 2.0);
    EXPECT_EQ(journal.entries(), (std::vector<std::string> {"timer.once 150ms"}));
    session->change(speed(2.2));
    EXPECT_EQ(executor.pendingCount(), 1U) << "one timer for the whole wait";
    advance(149ms);
    EXPECT_TRUE(session->holdsBackAChange());
    advance(1ms);
    EXPECT_FALSE(session->holdsBackAChange());
    EXPECT_EQ(executor.pendingCount(), 0U) << "nothing waits, nothing wakes";
    session->flush();
    EXPECT_EQ(storedSpeed(), 2.2);
    EXPECT_EQ(session->writeCount(), 2U);

    // The end of the program does not wait for the interval.
    session->change(speed(2.5));
    EXPECT_TRUE(session->holdsBackAChange());
    session->flush();
    EXPECT_EQ(storedSpeed(), 2.5);
    EXPECT_EQ(executor.pendingCount(), 0U);
}

TEST_F(SettingsSessionTest, ADragIsWrittenAtMostOncePerIntervalAndTheNewestValueWins)
{
    constexpr auto kInterval = 100ms;
    auto session = open(kInterval);
    constexpr int kSteps = 60;
    for (int step = 1; step <= kSteps; ++step) {
        session->change(speed(1.0 + step / 100.0));
        advance(5ms);
    }
    session->flush();

    EXPECT_EQ(storedSpeed(), 1.0 + kSteps / 100.0);
    EXPECT_EQ(engineValues.size(), static_cast<std::size_t>(kSteps));
    // 300 ms of dragging: the first step, then one value at the end of each interval.
    EXPECT_GE(session->writeCount(), 1U);
    EXPECT_LE(session->writeCount(), 4U);
}

// Edits and pauses at random: a value goes to the writer at most once per interval, a change
// never waits longer than the interval, and the file ends with the last value set.
TEST_F(SettingsSessionTest, RandomEditsGoToTheWriterAtMostOncePerIntervalAndWaitNoLonger)
{
    constexpr auto kInterval = 100ms;
    auto session = open(kInterval);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> pause(1, 60);
    std::vector<MonotonicTime> handOvers;
    double last = 1.0;
    for (int action = 0; action < 600; ++action) {
        if (percent(random) < 60) {
            const bool heldBefore = session->holdsBackAChange();
            last = 0.5 + percent(random) / 50.0;
            session->change(speed(last));
            if (!heldBefore && !session->holdsBackAChange()) {
                handOvers.push_back(clock.now());
            }
            continue;
        }
        for (int millisecond = pause(random); millisecond > 0; --millisecond) {
            const bool heldBefore = session->holdsBackAChange();
            advance(1ms);
            if (heldBefore && !session->holdsBackAChange()) {
                handOvers.push_back(clock.now());
            }
            if (session->holdsBackAChange()) {
                ASSERT_FALSE(handOvers.empty());
                ASSERT_LT(clock.now() - handOvers.back(), kInterval) << "a change waited past the interval";
            }
        }
    }
    session->flush();

    EXPECT_EQ(storedSpeed(), last);
    ASSERT_GT(handOvers.size(), 10U);
    for (std::size_t index = 1; index < handOvers.size(); ++index) {
        EXPECT_GE(handOvers[index] - handOvers[index - 1], kInterval) << "hand-over " << index;
    }
    EXPECT_LE(session->writeCount(), handOvers.size() + 1);
}

TEST_F(SettingsSessionTest, EndingTheSessionWritesWhatWaitsWithoutWaitingForTheInterval)
{
    auto session = open(std::chrono::hours(1));
    session->change(speed(1.5));
    session->flush();
    // Due only an hour after the first write: the end of the program must not wait for it.
    session->change(speed(3.0));

    session.reset();

    EXPECT_EQ(storedSpeed(), 3.0);
    EXPECT_EQ(executor.pendingCount(), 0U) << "the wait's timer ends with the session";
}

TEST_F(SettingsSessionTest, ReadersOnlyEverSeeAWholeFileWithAValueThatWasSet)
{
    auto session = open(1ms);
    session->change(speed(1.0));
    session->flush();

    std::atomic<bool> done {false};
    std::vector<double> seen;
    int torn = 0;
    std::thread reader([&] {
        while (!done.load()) {
            if (const auto value = storedSpeed()) {
                seen.push_back(*value);
            } else {
                ++torn;
            }
        }
    });
    std::mt19937 random(7);
    std::uniform_int_distribution<int> hundredths(40, 400);
    std::vector<double> set {1.0};
    for (int step = 0; step < 300; ++step) {
        set.push_back(hundredths(random) / 100.0);
        session->change(speed(set.back()));
        advance(1ms);
        // Now and then the writer is let finish, so that many writes meet the reader.
        if (step % 7 == 0) {
            session->flush();
        }
    }
    session->flush();
    done = true;
    reader.join();

    EXPECT_GE(session->writeCount(), 300U / 7);
    EXPECT_EQ(torn, 0);
    for (const double value : seen) {
        EXPECT_NE(std::find(set.begin(), set.end(), value), set.end()) << value;
    }
    EXPECT_EQ(storedSpeed(), set.back());
}

TEST_F(SettingsSessionTest, SavingThatStartsToFailIsToldOnceUntilASaveSucceeds)
{
    auto session = open(1ms);
    // A folder where the file should be: every save fails.
    std::filesystem::create_directories(file());
    session->change(speed(1.5));
    session->flush();
    session->change(speed(2.0));
    session->flush();
    EXPECT_TRUE(failures.empty()) << "told on the interface thread only";
    mainThread.runPending();
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_FALSE(failures[0].empty());

    std::filesystem::remove(file());
    session->change(speed(2.5));
    session->flush();
    EXPECT_EQ(storedSpeed(), 2.5);
    // A plain file where the folder should be: saving fails again, and is told again.
    std::filesystem::remove_all(file().parent_path());
    std::ofstream(file().parent_path()) << "not a folder";
    session->change(speed(3.0));
    session->flush();
    mainThread.runPending();
    EXPECT_EQ(failures.size(), 2U);
    EXPECT_EQ(log.lines().size(), 3U);
}

} // namespace
} // namespace tarn::input
