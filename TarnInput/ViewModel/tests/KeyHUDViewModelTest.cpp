#include "TarnInput/ViewModel/ScreenModels/KeyHUDViewModel.h"

#include <functional>

#include <QSignalSpy>
#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"

namespace tarn::input::testing {
namespace {

// Each operation changes its own field and nothing else, stored and handed on as any change.
TEST(KeyHUDViewModel, EachOperationWritesItsOwnFieldThroughTheSettingsPath)
{
    struct Row {
        const char* name;
        std::function<void(KeyHUDViewModel&)> operation;
        std::function<void(InputSettings&)> expected;
    };
    const Row rows[] {
        {"keyHUDEnabled", [](auto& hud) { hud.setKeyHUDEnabled(true); },
            [](auto& settings) { settings.keyHUDEnabled = true; }},
        {"clickRippleEnabled", [](auto& hud) { hud.setClickRippleEnabled(true); },
            [](auto& settings) { settings.clickRippleEnabled = true; }},
        {"keyHUDShortcutsOnly", [](auto& hud) { hud.setShortcutsOnly(false); },
            [](auto& settings) { settings.keyHUDShortcutsOnly = false; }},
        {"keyHUDHideInSecureFields", [](auto& hud) { hud.setHideInSecureFields(false); },
            [](auto& settings) { settings.keyHUDHideInSecureFields = false; }},
        {"keyHUDPosition", [](auto& hud) { hud.setPosition(KeyHUDPosition::bottomLeft); },
            [](auto& settings) { settings.keyHUDPosition = KeyHUDPosition::bottomLeft; }},
        {"keyHUDDurationSeconds", [](auto& hud) { hud.setDurationSeconds(3.25); },
            [](auto& settings) { settings.keyHUDDurationSeconds = 3.25; }},
    };
    for (const auto& row : rows) {
        StudioHarness h;
        auto& vm = h.start();
        KeyHUDViewModel hud(vm, vm);
        QSignalSpy changes(&hud, &KeyHUDViewModel::settingsChanged);
        InputSettings expected = vm.settings();
        row.expected(expected);

        row.operation(hud);

        EXPECT_EQ(hud.settings(), expected) << row.name;
        EXPECT_EQ(h.storedSettings(), expected) << row.name;
        EXPECT_EQ(changes.count(), 1) << row.name;
    }
}

// Turning an overlay on starts the tap like any other change of the settings.
TEST(KeyHUDViewModel, AnOverlaySwitchStartsTheTapWhenNothingElseNeedsIt)
{
    StudioHarness h;
    InputSettings off;
    off.engineEnabled = false;
    off.keyHUDEnabled = false;
    off.clickRippleEnabled = false;
    h.writeSettingsFile(off);
    auto& vm = h.start();
    KeyHUDViewModel hud(vm, vm);
    ASSERT_FALSE(vm.isTapActive());
    hud.setClickRippleEnabled(true);
    EXPECT_TRUE(vm.isTapActive());
    hud.setClickRippleEnabled(false);
    EXPECT_FALSE(vm.isTapActive());
}

// The screen follows the studio's language and the engine's event lines through its own signals.
TEST(KeyHUDViewModel, PassesOnTheLanguageAndTheEventLines)
{
    StudioHarness h;
    auto& vm = h.start();
    KeyHUDViewModel hud(vm, vm);
    QSignalSpy languages(&hud, &KeyHUDViewModel::languageChanged);
    QSignalSpy events(&hud, &KeyHUDViewModel::recentEventsChanged);
    vm.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(hud.language(), TarnLanguage::tr);
    EXPECT_EQ(languages.count(), 1);

    TapEvent event;
    event.buttonNumber = ButtonNumber::back;
    event.type = TapEventType::otherMouseDown;
    h.engine.tap.deliver(event);
    event.type = TapEventType::otherMouseUp;
    h.engine.tap.deliver(event);
    h.runMainThread();
    ASSERT_FALSE(hud.recentEvents().empty());
    EXPECT_EQ(hud.recentEvents(), vm.recentEvents());
    EXPECT_GE(events.count(), 1);
}

} // namespace
} // namespace tarn::input::testing
