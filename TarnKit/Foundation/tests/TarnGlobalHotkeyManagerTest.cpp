#include "TarnKit/Foundation/Desktop/TarnGlobalHotkeyManager.h"

#include <optional>
#include <thread>
#include <unordered_set>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeHotkeyBackend.h"
#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"

namespace tarn {
namespace {

constexpr TarnHotkeyDescriptor kToggleHud(4, TarnHotkeyDescriptor::cmdOptionFlag);
constexpr TarnHotkeyDescriptor kOther(3, TarnHotkeyDescriptor::cmdShiftFlag);
constexpr TarnHotkeyDescriptor kThird(5, TarnHotkeyDescriptor::controlMask);

struct HotkeyHarness {
    FakeHotkeyBackend backend;
    ManualMainThreadExecutor executor;
    std::optional<TarnGlobalHotkeyManager> manager {std::in_place, backend, executor};
};

TEST(TarnGlobalHotkeyManager, IdentifiersCountFromOneAndRefusalsSpendOne)
{
    HotkeyHarness h;
    h.backend.refuse(kOther);
    EXPECT_EQ(h.manager->registerHotkey(kToggleHud, [] {}), 1u);
    EXPECT_EQ(h.manager->registerHotkey(kOther, [] {}), std::nullopt);
    EXPECT_EQ(h.manager->registerHotkey(kThird, [] {}), 3u);
    // The same chord twice is refused as well, and spends its identifier too.
    EXPECT_EQ(h.manager->registerHotkey(kThird, [] {}), std::nullopt);
    EXPECT_EQ(h.manager->registerHotkey(kOther, {}), std::nullopt) << "an empty action is refused";
    EXPECT_EQ(h.backend.requestedIDs(), (std::vector<std::uint32_t> {1, 2, 3, 4}));
    EXPECT_EQ(h.backend.registrations().size(), 2u);

    h.manager->unregisterAll();
    EXPECT_TRUE(h.backend.registrations().empty());
    EXPECT_EQ(h.manager->registerHotkey(kToggleHud, [] {}), 6u) << "identifiers are never reused";
}

TEST(TarnGlobalHotkeyManager, PressRunsTheActionLaterOnTheMainThreadOnce)
{
    HotkeyHarness h;
    std::vector<std::thread::id> ranOn;
    ASSERT_TRUE(h.manager->registerHotkey(kToggleHud, [&] { ranOn.push_back(std::this_thread::get_id()); }));
    ASSERT_TRUE(h.manager->registerHotkey(kOther, [] { FAIL() << "the other chord was not pressed"; }));

    std::thread eventThread([&] { EXPECT_TRUE(h.backend.press(kToggleHud)); });
    eventThread.join();
    EXPECT_TRUE(ranOn.empty()) << "the action must not run on the backend's thread";

    EXPECT_EQ(h.executor.runPending(), 1u);
    ASSERT_EQ(ranOn.size(), 1u);
    EXPECT_EQ(ranOn.front(), std::this_thread::get_id());
    EXPECT_EQ(h.executor.runPending(), 0u);
    EXPECT_EQ(ranOn.size(), 1u);
}

TEST(TarnGlobalHotkeyManager, UnregisteredOrUnknownIdentifiersRunNothing)
{
    HotkeyHarness h;
    int toggles = 0;
    int others = 0;
    const auto toggle = h.manager->registerHotkey(kToggleHud, [&] { ++toggles; });
    const auto other = h.manager->registerHotkey(kOther, [&] { ++others; });
    ASSERT_TRUE(toggle && other);

    h.manager->unregister(99); // never handed out
    EXPECT_EQ(h.backend.registrations().size(), 2u);

    // A press already on its way when its registration goes runs nothing.
    h.backend.press(kToggleHud);
    h.manager->unregister(*toggle);
    EXPECT_FALSE(h.backend.press(kToggleHud)) << "the chord is released";
    h.backend.pressID(42); // an identifier this manager never gave out
    h.backend.press(kOther);
    h.executor.runPending();
    EXPECT_EQ(toggles, 0);
    EXPECT_EQ(others, 1);

    h.manager->unregister(*toggle); // twice is harmless
    EXPECT_EQ(h.backend.registrations().size(), 1u);
}

TEST(TarnGlobalHotkeyManager, ActionMayUnregisterItselfWhileRunning)
{
    HotkeyHarness h;
    int runs = 0;
    std::optional<std::uint32_t> id;
    id = h.manager->registerHotkey(kToggleHud, [&] {
        ++runs;
        h.manager->unregisterAll();
    });
    ASSERT_TRUE(id);
    h.backend.press(kToggleHud);
    h.backend.pressID(*id); // a second press queued behind the first
    h.executor.runPending();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(h.backend.registrations().empty());
}

TEST(TarnGlobalHotkeyManager, DestructionReleasesEverythingAndSilencesQueuedPresses)
{
    HotkeyHarness h;
    int runs = 0;
    ASSERT_TRUE(h.manager->registerHotkey(kToggleHud, [&] { ++runs; }));
    ASSERT_TRUE(h.manager->registerHotkey(kOther, [&] { ++runs; }));
    h.backend.press(kToggleHud);

    h.manager.reset();
    EXPECT_TRUE(h.backend.registrations().empty());
    EXPECT_FALSE(h.backend.hasPressHandler());
    h.backend.pressID(1);
    EXPECT_EQ(h.executor.runPending(), 1u) << "only the press from before";
    EXPECT_EQ(runs, 0);
}

TEST(TarnHotkeyDescriptor, EncodesBothNumbers)
{
    EXPECT_EQ(kToggleHud.toJson().dump(), R"({"carbonModifiers":2304,"keyCode":4})");
    EXPECT_EQ(TarnHotkeyDescriptor::fromJson(kToggleHud.toJson()), kToggleHud);
    EXPECT_EQ(TarnHotkeyDescriptor::cmdShiftFlag, 768u);
    EXPECT_EQ(TarnHotkeyDescriptor::fromJson(nlohmann::json::parse(R"({"keyCode":4,"carbonModifiers":2304,"x":1})")),
        kToggleHud);
}

TEST(TarnHotkeyDescriptor, DecodingRefusesMissingOrMistypedNumbers)
{
    for (const char* text : {R"({"keyCode":4})", R"({"carbonModifiers":2304})",
             R"({"keyCode":"4","carbonModifiers":2304})", R"({"keyCode":4.0,"carbonModifiers":2304})",
             R"({"keyCode":-1,"carbonModifiers":2304})", R"({"keyCode":4,"carbonModifiers":4294967296})",
             R"({"keyCode":4,"carbonModifiers":null})", R"([4,2304])"}) {
        EXPECT_EQ(TarnHotkeyDescriptor::fromJson(nlohmann::json::parse(text)), std::nullopt) << text;
    }
    EXPECT_EQ(TarnHotkeyDescriptor::fromJson(nlohmann::json::parse(R"({"keyCode":4294967295,"carbonModifiers":0})")),
        TarnHotkeyDescriptor(4294967295u, 0));
}

TEST(TarnHotkeyDescriptor, EqualityAndHashCoverBothFields)
{
    const std::unordered_set<TarnHotkeyDescriptor> chords {
        kToggleHud, TarnHotkeyDescriptor(4, 2304), kOther, TarnHotkeyDescriptor(2304, 4)};
    EXPECT_EQ(chords.size(), 3u);
    EXPECT_NE(kToggleHud, TarnHotkeyDescriptor(4, 2304 | TarnHotkeyDescriptor::shiftMask));
}

} // namespace
} // namespace tarn
