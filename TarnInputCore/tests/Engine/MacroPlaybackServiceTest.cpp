#include "TarnInputCore/Engine/Macros/MacroPlaybackService.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Core/FakeEventPoster.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "TarnInputCore/Engine/Executor/ThreadEngineExecutor.h"
#include "TarnInputCore/Model/Macros/MacroPresetLibrary.h"

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

// Writes each post as "<ms since start> down|up <key>[ <flags>]" or "<ms> text <run>", and counts
// posts that lack the synthetic marker.
class TimelinePoster final : public EventPoster {
public:
    explicit TimelinePoster(const Clock& clock)
        : m_clock(clock)
        , m_start(clock.now())
    {
    }

    void post(const TapEvent& event) override
    {
        std::lock_guard lock(m_mutex);
        const bool isDown = event.type == TapEventType::keyDown;
        m_lines.push_back(fmt::format("{} {} {}{}", elapsedMs(), isDown ? "down" : "up", event.keyCode,
            event.flags != 0 ? fmt::format(" {:#x}", event.flags) : ""));
        m_unmarked += event.sourceUserData == kSyntheticMagicTag ? 0 : 1;
        m_events.push_back(event);
    }

    void postText(std::string_view utf8, std::int64_t sourceUserData) override
    {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(fmt::format("{} text {}", elapsedMs(), utf8));
        m_unmarked += sourceUserData == kSyntheticMagicTag ? 0 : 1;
        m_texts.emplace_back(utf8);
    }

    // Lets a test put a separator between rounds.
    void note(std::string line)
    {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(std::move(line));
    }

    std::vector<std::string> lines() const
    {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }
    std::vector<std::string> texts() const
    {
        std::lock_guard lock(m_mutex);
        return m_texts;
    }
    std::vector<TapEvent> events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    int unmarked() const
    {
        std::lock_guard lock(m_mutex);
        return m_unmarked;
    }

private:
    long long elapsedMs() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(m_clock.now() - m_start).count();
    }

    const Clock& m_clock;
    const MonotonicTime m_start;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
    std::vector<std::string> m_texts;
    std::vector<TapEvent> m_events;
    int m_unmarked = 0;
};

InputMacro makeMacro(std::string name, std::vector<MacroStep> steps, bool isEnabled = true)
{
    InputMacro macro;
    macro.name = std::move(name);
    macro.steps = std::move(steps);
    macro.isEnabled = isEnabled;
    return macro;
}

template <typename Predicate> bool eventually(Predicate predicate, std::chrono::milliseconds limit = 10s)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(200us);
    }
    return true;
}

class MacroPlaybackServiceTest : public ::testing::Test {
protected:
    std::vector<RecordedLogLine> macroLines() const
    {
        auto lines = log.lines();
        std::erase_if(lines, [](const RecordedLogLine& line) { return line.category != "macro"; });
        return lines;
    }

    FakeClock clock;
    FakeEngineExecutor executor {clock};
    RecordingLogSink log;
    TimelinePoster poster {clock};
    MacroPlaybackService service {kSyntheticMagicTag, log, poster, executor};
};

TEST_F(MacroPlaybackServiceTest, RefusalsAreLoggedAndPostNothing)
{
    const auto longMacro = makeMacro("Long", {MacroStep::keystroke(8, {"cmd"}, "⌘C"), MacroStep::delay(1'000)});
    const auto other = makeMacro("Other", {MacroStep::keystroke(9, {}, "V")});
    const auto invalid = makeMacro(" ", {}); // blank name and no steps: two issues

    // Disabled wins over invalid.
    EXPECT_FALSE(service.play(makeMacro(" ", {}, false), "button-3"));
    EXPECT_FALSE(service.play(invalid, "ui-test"));
    ASSERT_TRUE(service.play(longMacro, "button-2"));
    // Invalid is refused as invalid also while another plays; a valid one is refused as busy.
    EXPECT_FALSE(service.play(invalid, "ui-test"));
    EXPECT_FALSE(service.play(other, "button-4"));
    executor.advance(1'013ms);
    EXPECT_TRUE(service.isPlaying());
    executor.advance(1ms);
    EXPECT_FALSE(service.isPlaying());
    // Dropped, not queued: nothing of "Other" played.
    EXPECT_EQ(poster.lines(), (std::vector<std::string> {"0 down 8 0x100000", "0 up 8 0x100000"}));
    EXPECT_TRUE(service.play(other, "button-4"));

    using enum TarnLogLevel;
    EXPECT_EQ(macroLines(),
        (std::vector<RecordedLogLine> {
            {debug, "macro", "Ignored disabled macro ' ' (source: button-3)"},
            {warn, "macro", "Blocked invalid macro ' ' with 2 validation issue(s)"},
            {info, "macro", "Starting macro 'Long' (2 steps, ~1020 ms, source: button-2)"},
            {warn, "macro", "Blocked invalid macro ' ' with 2 validation issue(s)"},
            {warn, "macro", "Skipped macro 'Other' (source: button-4): playback already in progress"},
            {info, "macro", "Completed macro 'Long' (source: button-2)"},
            {info, "macro", "Starting macro 'Other' (1 steps, ~20 ms, source: button-4)"},
        }));
}

TEST_F(MacroPlaybackServiceTest, PlaysThePresetWithItsPausesAndCallbacks)
{
    std::vector<std::string> started;
    std::vector<std::string> completed;
    service.setOnMacroStarted([&](const InputMacro& macro) { started.push_back(macro.name); });
    service.setOnMacroCompleted([&](const InputMacro& macro) { completed.push_back(macro.name); });
    const auto preset = MacroPresetLibrary::copyNewTabPaste();

    ASSERT_TRUE(service.play(preset, "ui-test"));
    EXPECT_EQ(started, std::vector<std::string> {preset.name});
    EXPECT_TRUE(poster.lines().empty()); // nothing is posted on the caller's thread
    // Keystroke, 14 ms, delay 70, keystroke, 14 ms, delay 110, last keystroke without a pause.
    executor.advance(207ms);
    EXPECT_TRUE(service.isPlaying());
    EXPECT_TRUE(completed.empty());
    executor.advance(1ms);
    EXPECT_FALSE(service.isPlaying());
    EXPECT_EQ(completed, std::vector<std::string> {preset.name});
    EXPECT_EQ(poster.lines(),
        (std::vector<std::string> {"0 down 8 0x100000", "0 up 8 0x100000", "84 down 17 0x100000", "84 up 17 0x100000",
            "208 down 9 0x100000", "208 up 9 0x100000"}));
    EXPECT_EQ(poster.unmarked(), 0);
    EXPECT_EQ(macroLines(),
        (std::vector<RecordedLogLine> {
            {TarnLogLevel::info, "macro",
                "Starting macro 'Kopyala → Yeni Sekme → Yapıştır' (5 steps, ~240 ms, source: ui-test)"},
            {TarnLogLevel::info, "macro", "Completed macro 'Kopyala → Yeni Sekme → Yapıştır' (source: ui-test)"},
        }));
}

TEST_F(MacroPlaybackServiceTest, KeystrokeTextAndRunSpacing)
{
    const std::string forty = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
    const std::string sixteen = "0123456789abcdef";
    ASSERT_TRUE(service.play(makeMacro("Spacing",
                                 {
                                     MacroStep::keystroke(0, {"shift", "cmd"}, "⇧⌘A"),
                                     MacroStep::keystroke(11, {"hyper"}, "B"),
                                     MacroStep::typeText(forty),
                                     MacroStep::typeText(sixteen),
                                     MacroStep::keystroke(8, {"ctrl", "alt"}, "⌃⌥C"),
                                     MacroStep::delay(0),
                                     MacroStep::typeText("hi"),
                                 }),
        "ui-test"));
    executor.advance(81ms);
    EXPECT_TRUE(service.isPlaying());
    executor.advance(1ms);
    EXPECT_FALSE(service.isPlaying());
    EXPECT_EQ(poster.lines(),
        (std::vector<std::string> {
            "0 down 0 0x120000", "0 up 0 0x120000", // 14 ms after a keystroke
            "14 down 11", "14 up 11", // an unknown modifier word adds no flag
            "28 text abcdefghijklmnop", "36 text qrstuvwxyz012345", "44 text 6789ABCD", // 8 ms between runs
            "56 text 0123456789abcdef", // 12 ms after a text; 16 units are one run
            "68 down 8 0xc0000", "68 up 8 0xc0000",
            "82 text hi", // a delay of 0 adds nothing; no pause after the last step
        }));
    EXPECT_EQ(poster.unmarked(), 0);
}

TEST_F(MacroPlaybackServiceTest, ATrailingDelayKeepsTheMacroPlaying)
{
    ASSERT_TRUE(service.play(makeMacro("Tail", {MacroStep::keystroke(8, {}, "C"), MacroStep::delay(500)}), "ui-test"));
    executor.advance(513ms);
    EXPECT_TRUE(service.isPlaying());
    EXPECT_EQ(log.count("Completed macro 'Tail' (source: ui-test)"), 0u);
    executor.advance(1ms);
    EXPECT_FALSE(service.isPlaying());
    EXPECT_EQ(log.count("Completed macro 'Tail' (source: ui-test)"), 1u);
}

TEST_F(MacroPlaybackServiceTest, TextRunsNeverSplitACharacter)
{
    struct Case {
        std::string text;
        std::vector<std::string> runs;
    };
    const std::string accents = "\u0301\u0301\u0301\u0301\u0301";
    const std::vector<Case> cases {
        // A surrogate pair at units 15 and 16 goes whole into the next run.
        {std::string(15, 'a') + "😀b", {std::string(15, 'a'), "😀b"}},
        // A flag is two code points; cutting between them would type two letters instead.
        {"a🇹🇷🇹🇷🇹🇷🇹🇷", {"a🇹🇷🇹🇷🇹🇷", "🇹🇷"}},
        // One character longer than a run is cut between code points.
        {"e" + accents + accents + accents + accents, {"e" + accents + accents + accents, accents}},
        {"x" + std::string(15, 'y') + "😀😀😀😀😀😀😀😀z", {"x" + std::string(15, 'y'), "😀😀😀😀😀😀😀😀", "z"}},
        // Broken UTF-8 is typed with replacement characters, never as broken bytes.
        {"ab\xff", {"ab\uFFFD"}},
    };
    for (const auto& testCase : cases) {
        FakeEventPoster recorder;
        MacroPlaybackService playback(kSyntheticMagicTag, log, recorder, executor);
        ASSERT_TRUE(playback.play(makeMacro("Text", {MacroStep::typeText(testCase.text)}), "ui-test"));
        executor.advance(1s);
        std::vector<std::string> runs;
        for (const auto& posted : recorder.texts()) {
            runs.push_back(posted.text);
            EXPECT_EQ(posted.sourceUserData, kSyntheticMagicTag);
        }
        EXPECT_EQ(runs, testCase.runs) << testCase.text;
        EXPECT_TRUE(recorder.posted().empty());
    }
}

TEST_F(MacroPlaybackServiceTest, CancelEndsALongDelayAndANewRunKeepsItsOwnState)
{
    std::atomic<int> completions {0};
    service.setOnMacroCompleted([&](const InputMacro&) { ++completions; });
    const auto slow = makeMacro(
        "Slow", {MacroStep::keystroke(1, {}, "S"), MacroStep::delay(10'000), MacroStep::keystroke(2, {}, "D")});
    ASSERT_TRUE(service.play(slow, "button-4"));
    executor.advance(5s);
    service.cancel();
    EXPECT_FALSE(service.isPlaying());
    EXPECT_EQ(executor.armedCount(), 0u);

    // Accepted at once; the cancelled run never comes back to end it or to post its last key.
    const auto next = makeMacro("Next", {MacroStep::keystroke(3, {}, "N"), MacroStep::delay(100)});
    ASSERT_TRUE(service.play(next, "ui-test"));
    executor.advance(99ms);
    EXPECT_TRUE(service.isPlaying());
    executor.advance(20s);
    EXPECT_FALSE(service.isPlaying());
    service.cancel(); // nothing plays: no line
    EXPECT_EQ(poster.lines(), (std::vector<std::string> {"0 down 1", "0 up 1", "5000 down 3", "5000 up 3"}));
    EXPECT_EQ(completions.load(), 1);
    EXPECT_EQ(macroLines(),
        (std::vector<RecordedLogLine> {
            {TarnLogLevel::info, "macro", "Starting macro 'Slow' (3 steps, ~10040 ms, source: button-4)"},
            {TarnLogLevel::info, "macro", "Cancelled macro 'Slow' (source: button-4)"},
            {TarnLogLevel::info, "macro", "Starting macro 'Next' (2 steps, ~120 ms, source: ui-test)"},
            {TarnLogLevel::info, "macro", "Completed macro 'Next' (source: ui-test)"},
        }));
}

TEST_F(MacroPlaybackServiceTest, CancelFromTheStartedCallbackPlaysNothing)
{
    service.setOnMacroStarted([&](const InputMacro&) { service.cancel(); });
    EXPECT_TRUE(service.play(makeMacro("Gone", {MacroStep::keystroke(1, {}, "S")}), "ui-test"));
    executor.advance(1s);
    EXPECT_FALSE(service.isPlaying());
    EXPECT_TRUE(poster.lines().empty());
    EXPECT_EQ(log.count("Cancelled macro 'Gone' (source: ui-test)"), 1u);
    EXPECT_EQ(log.count("Completed macro 'Gone' (source: ui-test)"), 0u);
}

// On real threads: cancel must return at once even in the middle of a long pause.
TEST(MacroPlaybackServiceThreads, CancelDuringATenSecondDelayReturnsAtOnce)
{
    ThreadEngineExecutor executor;
    RecordingLogSink log;
    TimelinePoster poster(SystemClock::shared());
    std::atomic<int> completions {0};
    MacroPlaybackService service(kSyntheticMagicTag, log, poster, executor);
    service.setOnMacroCompleted([&](const InputMacro&) { ++completions; });
    ASSERT_TRUE(service.play(
        makeMacro(
            "Wait", {MacroStep::keystroke(1, {}, "W"), MacroStep::delay(10'000), MacroStep::keystroke(2, {}, "X")}),
        "button-3"));
    ASSERT_TRUE(eventually([&] { return poster.events().size() == 2; }));

    const auto before = std::chrono::steady_clock::now();
    service.cancel();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 100ms);
    EXPECT_FALSE(service.isPlaying());
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(poster.events().size(), 2u);
    EXPECT_EQ(completions.load(), 0);
    EXPECT_EQ(log.count("Cancelled macro 'Wait' (source: button-3)"), 1u);
    EXPECT_EQ(log.count("Completed macro 'Wait' (source: button-3)"), 0u);
}

// Cancel and play again, many times, with the cancel landing anywhere in the first macro (also
// while it posts or completes): the two never interleave, no key is left down, the old run never
// ends the new one, and each run ends exactly once.
TEST(MacroPlaybackServiceThreads, NoOverlapAfterCancelAndPlay)
{
    ThreadEngineExecutor executor;
    RecordingLogSink log;
    TimelinePoster poster(SystemClock::shared());
    MacroPlaybackService service(kSyntheticMagicTag, log, poster, executor);
    const std::vector<InputMacro> firsts {
        makeMacro("A", {MacroStep::keystroke(1, {}, "A")}),
        makeMacro("A", {MacroStep::keystroke(1, {}, "A"), MacroStep::delay(0), MacroStep::keystroke(1, {}, "A")}),
        makeMacro("A", {MacroStep::typeText(std::string(40, 'a')), MacroStep::keystroke(1, {}, "A")}),
    };
    const auto second = makeMacro("B", {MacroStep::keystroke(2, {}, "B"), MacroStep::delay(10'000)});
    constexpr int kRounds = 150;
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_TRUE(service.play(firsts[round % firsts.size()], "button-3"));
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds((round % 7) * 150);
        while (std::chrono::steady_clock::now() < until) {
            std::this_thread::yield();
        }
        service.cancel();
        ASSERT_TRUE(service.play(second, "ui-test")) << round;
        ASSERT_TRUE(eventually([&] {
            const auto events = poster.events();
            return std::count_if(events.begin(), events.end(), [](const TapEvent& event) {
                return event.keyCode == 2 && event.type == TapEventType::keyUp;
            }) == round + 1;
        })) << round;
        EXPECT_TRUE(service.isPlaying()) << round;
        service.cancel();
        poster.note("|");
    }

    // Per round: any "A" output, then B's press and release, then nothing.
    std::vector<std::string> round;
    int rounds = 0;
    for (const auto& line : poster.lines()) {
        if (line != "|") {
            round.push_back(line.substr(line.find(' ') + 1));
            continue;
        }
        ++rounds;
        ASSERT_GE(round.size(), 2u);
        EXPECT_EQ(round[round.size() - 2], "down 2");
        EXPECT_EQ(round.back(), "up 2");
        for (std::size_t index = 0; index + 2 < round.size(); ++index) {
            EXPECT_NE(round[index].find_first_of("1a"), std::string::npos) << round[index];
            if (round[index] == "down 1") {
                EXPECT_EQ(round[index + 1], "up 1");
            }
        }
        round.clear();
    }
    EXPECT_EQ(rounds, kRounds);
    EXPECT_TRUE(round.empty());
    EXPECT_EQ(poster.unmarked(), 0);

    std::size_t starts = 0;
    std::size_t ends = 0;
    for (const auto& line : log.lines()) {
        starts += line.message.starts_with("Starting macro") ? 1 : 0;
        ends += line.message.starts_with("Cancelled macro") || line.message.starts_with("Completed macro") ? 1 : 0;
    }
    EXPECT_EQ(starts, 2u * kRounds);
    EXPECT_EQ(ends, 2u * kRounds);
    EXPECT_EQ(log.count("Cancelled macro 'B' (source: ui-test)"), static_cast<std::size_t>(kRounds));
}

} // namespace
} // namespace tarn::input
