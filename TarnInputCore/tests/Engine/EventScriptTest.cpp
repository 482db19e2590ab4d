#include "TarnInputCore/tests/Engine/EventScript.h"

#include <gtest/gtest.h>

namespace tarn::input::testing {
namespace {

TEST(EventScriptTest, PrinterWritesWhatTheParserReads)
{
    const char* tokens[] = {"+left", "-right", "+middle", "-back", "+forward{cmd}", "+btn7", "@10,20.5", "drag@-3,4",
        "wheel:1", "wheel:-1.35,2", "trackpad:3", "key:33{ctrl+opt+shift+cmd}", "keyup:103"};
    for (const auto* token : tokens) {
        const auto steps = parseEventScript(token);
        ASSERT_EQ(steps.size(), 1u) << token;
        const auto& scripted = std::get<ScriptEvent>(steps[0]);
        auto event = scripted.event;
        event.flags = scripted.flags.value_or(0);
        if (scripted.explicitDrag) {
            event.type = TapEventType::leftMouseDragged;
        }
        EXPECT_EQ(printTapEvent(event), token);
    }
    TapEvent marked;
    marked.type = TapEventType::keyDown;
    marked.keyCode = 33;
    marked.flags = EventFlag::command;
    EXPECT_EQ(printTapEvent(marked, true), "?key:33{cmd}");
    marked.sourceUserData = kSyntheticMagicTag;
    EXPECT_EQ(printTapEvent(marked, true), "!key:33{cmd}");
}

TEST(EventScriptTest, ReadsScriptCommandsAndRejectsUnknownTokens)
{
    const auto steps = parseEventScript("  30ms 1.5s mods:ctrl+opt mods: app:org.x.Y/Files app:- focus:a.b  ");
    ASSERT_EQ(steps.size(), 7u);
    EXPECT_EQ(std::get<ScriptClockStep>(steps[0]).step, std::chrono::milliseconds(30));
    EXPECT_EQ(std::get<ScriptClockStep>(steps[1]).step, std::chrono::milliseconds(1500));
    EXPECT_EQ(std::get<ScriptModifiers>(steps[2]).flags, EventFlag::control | EventFlag::option);
    EXPECT_EQ(std::get<ScriptModifiers>(steps[3]).flags, 0u);
    EXPECT_EQ(std::get<ScriptFrontmost>(steps[4]).application,
        (FrontmostApplication {ApplicationId("org.x.Y"), std::string("Files")}));
    EXPECT_EQ(std::get<ScriptFrontmost>(steps[5]).application, FrontmostApplication {});
    EXPECT_TRUE(std::get<ScriptFrontmost>(steps[6]).tellEngine);
    for (const auto* bad : {"+thumb", "@1", "wheel:x", "key:1{hyper}", "jump"}) {
        EXPECT_THROW((void)parseEventScript(bad), std::invalid_argument) << bad;
    }
}

} // namespace
} // namespace tarn::input::testing
