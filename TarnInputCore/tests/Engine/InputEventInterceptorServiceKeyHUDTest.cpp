#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "Platform/Fake/Core/FakeEventPoster.h"
#include "Platform/Fake/Core/FakeEventTap.h"
#include "Platform/Fake/Core/FakeSecureInputState.h"
#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"

namespace tarn::input {
namespace {

using EventFlag::command;
using EventFlag::control;
using EventFlag::option;
using EventFlag::shift;

struct HUDRig : FakeEnginePorts {
    explicit HUDRig(InputSettings initial)
        : service(initial, ports())
    {
        service.setSecureInputState(secure);
        EngineCallbacks callbacks;
        callbacks.onKeystrokeToken = [this](const KeyHUDToken& t) { tokens.push_back(t); };
        service.setCallbacks(std::move(callbacks));
        EXPECT_TRUE(service.start());
    }

    // The token text for one key-down, or "" for none; the key event must leave unchanged.
    std::string press(std::uint16_t key, std::uint64_t flags = 0)
    {
        TapEvent event;
        event.type = TapEventType::keyDown;
        event.keyCode = key;
        event.flags = flags;
        const auto before = tokens.size();
        EXPECT_EQ(tap.deliver(event), event);
        return tokens.size() > before ? tokens.back().text : std::string();
    }

    FakeSecureInputState secure;
    InputEventInterceptorService service;
    std::vector<KeyHUDToken> tokens;
};

InputSettings hudOn(bool shortcutsOnly = true)
{
    InputSettings settings;
    settings.keyHUDEnabled = true;
    settings.keyHUDShortcutsOnly = shortcutsOnly;
    return settings;
}

TEST(InputEventInterceptorServiceKeyHUDTest, ShortcutsOnlyShowsModifiedAndNavigationKeys)
{
    HUDRig rig(hudOn());
    struct Case {
        std::uint16_t key;
        std::uint64_t flags;
        std::string text;
    };
    for (const auto& c : std::vector<Case> {
             {0, 0, ""}, // plain A
             {0, shift, ""}, // Shift alone is typing
             {14, option, "⌥E"},
             {21, shift | command, "⇧⌘4"},
             {124, control, "⌃→"},
             {49, 0, "Space"},
             {36, 0, "↩"},
             {48, 0, "⇥"},
             {53, 0, "⎋"},
             {126, 0, "↑"},
             {122, 0, "F1"},
             {55, command, ""}, // a modifier key alone
             {82, command, ""}, // keypad
             {127, command, ""}, // beyond the table
             {0, control | option | shift | command, "⌃⌥⇧⌘A"},
         }) {
        EXPECT_EQ(rig.press(c.key, c.flags), c.text) << c.key << " " << c.flags;
    }
    for (const auto& token : rig.tokens) {
        EXPECT_TRUE(token.isShortcut);
        EXPECT_EQ(token.timestamp, rig.clock.wallNow());
    }
    // Repeats are key-downs too, each its own entry.
    rig.tokens.clear();
    EXPECT_EQ(rig.press(125), "↓");
    EXPECT_EQ(rig.press(125), "↓");
    ASSERT_EQ(rig.tokens.size(), 2u);
    EXPECT_NE(rig.tokens[0].id, rig.tokens[1].id);
}

// Token identities come from a sequence seeded once, not from the kernel per key: they must still
// be distinct, within one engine and between two, and look like random (version 4) identities.
TEST(InputEventInterceptorServiceKeyHUDTest, TokenIdentitiesAreDistinct)
{
    HUDRig first(hudOn(false));
    HUDRig second(hudOn(false));
    for (int i = 0; i < 300; ++i) {
        (void)first.press(0);
        (void)second.press(0);
    }
    std::set<Uuid> ids;
    for (const auto* rig : {&first, &second}) {
        for (const auto& token : rig->tokens) {
            ids.insert(token.id);
            EXPECT_EQ(token.id.bytes[6] >> 4, 4);
            EXPECT_EQ(token.id.bytes[8] >> 6, 2);
        }
    }
    EXPECT_EQ(ids.size(), 600u);
}

TEST(InputEventInterceptorServiceKeyHUDTest, AllKeysWhenShortcutsOnlyIsOffAndNothingWhenHUDIsOff)
{
    HUDRig all(hudOn(false));
    EXPECT_EQ(all.press(0), "A");
    ASSERT_EQ(all.tokens.size(), 1u);
    EXPECT_FALSE(all.tokens[0].isShortcut);
    EXPECT_EQ(all.press(0, shift), "⇧A");

    auto off = hudOn(false);
    off.keyHUDEnabled = false;
    off.engineEnabled = false;
    HUDRig none(off);
    EXPECT_EQ(none.press(0, command), "");
    // The HUD works whatever the engine switch says.
    off.keyHUDEnabled = true;
    none.service.updateSettings(off);
    EXPECT_EQ(none.press(0, command), "⌘A");
}

TEST(InputEventInterceptorServiceKeyHUDTest, SecureInputHidesEveryTokenUnlessHidingIsOff)
{
    HUDRig rig(hudOn());
    rig.secure.setActive(true);
    EXPECT_EQ(rig.press(0, command), "");
    EXPECT_EQ(rig.press(36), "");
    auto settings = hudOn();
    settings.keyHUDHideInSecureFields = false;
    rig.service.updateSettings(settings);
    const int queries = rig.secure.queryCount();
    EXPECT_EQ(rig.press(0, command), "⌘A");
    EXPECT_EQ(rig.secure.queryCount(), queries); // not even asked
    EXPECT_FALSE(SecureInputState::unknown().isSecureInputActive());
}

} // namespace
} // namespace tarn::input
