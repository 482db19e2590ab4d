#include <gtest/gtest.h>

#include "TarnInputCore/Model/Keys/ActionShortcut.h"
#include "TarnInputCore/Model/Keys/EventFlag.h"
#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"
#include "TarnInputCore/Model/Keys/PostedKeys.h"
#include "TarnInputCore/Model/Pointer/GestureDirection.h"
#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"

namespace tarn::input {
namespace {

TEST(InputEnumsTest, MouseButtonKindIsTheButtonNumber)
{
    EXPECT_EQ(mouseButtonKindFromRawValue(2), MouseButtonKind::middle);
    EXPECT_EQ(mouseButtonKindFromRawValue(3), MouseButtonKind::sideBack);
    EXPECT_EQ(mouseButtonKindFromRawValue(4), MouseButtonKind::sideForward);
    for (const std::int64_t raw : {-2, 0, 1, 5, 6, 1000}) {
        EXPECT_FALSE(mouseButtonKindFromRawValue(raw)) << raw;
    }
    EXPECT_EQ(rawValue(MouseButtonKind::sideForward), 4);
    EXPECT_EQ(labelEN(MouseButtonKind::middle), "Middle Click (Wheel)");
    EXPECT_EQ(labelTR(MouseButtonKind::sideForward), "Yan Tuş 5 (İleri)");
}

TEST(InputEnumsTest, ActionsRoundTripTheirCaseNamesExactly)
{
    ASSERT_EQ(kAllMouseButtonActions.size(), 14u);
    EXPECT_EQ(kAllMouseButtonActions.front(), MouseButtonAction::passthrough);
    EXPECT_EQ(kAllMouseButtonActions.back(), MouseButtonAction::showDesktop);
    for (const auto action : kAllMouseButtonActions) {
        EXPECT_EQ(mouseButtonActionFromRawValue(rawValue(action)), action);
        EXPECT_FALSE(labelEN(action).empty());
        EXPECT_FALSE(labelTR(action).empty());
    }
    EXPECT_FALSE(mouseButtonActionFromRawValue("MissionControl"));
    EXPECT_FALSE(mouseButtonActionFromRawValue("appExposé"));
    EXPECT_EQ(rawValue(MouseButtonAction::appExpose), "appExpose");
}

// Each label names the keys the Linux desktop is sent, both ways: a label's keys are exactly what
// the posted-keys table presses for the action's shortcut.
TEST(InputEnumsTest, ActionLabelsNameThePostedKeys)
{
    struct Row {
        MouseButtonAction action;
        const char* english;
        const char* turkish;
    };
    using enum MouseButtonAction;
    const Row rows[] = {
        {passthrough, "System Default", "Sistem Varsayılanı"},
        {browserBack, "Navigate Back (Alt+Left)", "Geri Git (Alt+Sol)"},
        {browserForward, "Navigate Forward (Alt+Right)", "İleri Git (Alt+Sağ)"},
        {missionControl, "Activities Overview (Super)", "Etkinlikler Genel Görünümü (Super)"},
        {appExpose, "Show Applications (Super+A)", "Uygulamaları Göster (Super+A)"},
        {closeTab, "Close Tab (Ctrl+W)", "Sekmeyi Kapat (Ctrl+W)"},
        {newTab, "New Tab (Ctrl+T)", "Yeni Sekme (Ctrl+T)"},
        {switchSpaceLeft, "Previous Workspace (Ctrl+Alt+Left)", "Önceki Çalışma Alanı (Ctrl+Alt+Sol)"},
        {switchSpaceRight, "Next Workspace (Ctrl+Alt+Right)", "Sonraki Çalışma Alanı (Ctrl+Alt+Sağ)"},
        {zoomIn, "Zoom In (Ctrl+=)", "Yakınlaştır (Ctrl+=)"},
        {zoomOut, "Zoom Out (Ctrl+-)", "Uzaklaştır (Ctrl+-)"},
        {copy, "Copy (Ctrl+C)", "Kopyala (Ctrl+C)"},
        {paste, "Paste (Ctrl+V)", "Yapıştır (Ctrl+V)"},
        {showDesktop, "Show Desktop (Super+D)", "Masaüstünü Göster (Super+D)"},
    };
    ASSERT_EQ(std::size(rows), kAllMouseButtonActions.size());
    for (const auto& row : rows) {
        EXPECT_EQ(labelEN(row.action), row.english);
        EXPECT_EQ(labelTR(row.action), row.turkish);
        const auto shortcut = actionShortcut(row.action);
        ASSERT_EQ(shortcut.has_value(), row.action != passthrough) << row.english;
        if (shortcut) {
            const auto keys = postedKeysText(postedKeysForShortcut(shortcut->keyCode, shortcut->flags), false);
            EXPECT_TRUE(labelEN(row.action).ends_with("(" + keys + ")")) << row.english;
        }
    }
}

TEST(InputEnumsTest, PostedKeysAreNamedAsLinuxDesktopsNameThem)
{
    using namespace EventFlag;
    EXPECT_EQ(
        postedKeysText(postedKeysForShortcut(0, command | option | shift | control), false), "Ctrl+Alt+Shift+Super+A");
    EXPECT_EQ(postedKeysText(postedKeysForShortcut(21, command | shift), false), "Shift+Print");
    EXPECT_EQ(postedKeysText(postedKeysForShortcut(49, command), false), "Super");
    EXPECT_EQ(postedKeysText(postedKeysForShortcut(49, shift), true), "Shift+Boşluk");
    EXPECT_EQ(postedKeysText(postedKeysForShortcut(126, 0), true), "Yukarı");
}

TEST(InputEnumsTest, DirectionsAndPositions)
{
    for (const auto direction : kAllGestureDirections) {
        EXPECT_EQ(gestureDirectionFromRawValue(rawValue(direction)), direction);
    }
    EXPECT_EQ(labelTR(GestureDirection::right), "Sağa Sürükle");
    EXPECT_EQ(symbolName(GestureDirection::down), "arrow.down.circle.fill");
    EXPECT_FALSE(gestureDirectionFromRawValue("Up"));

    for (const auto position : kAllKeyHUDPositions) {
        EXPECT_EQ(keyHUDPositionFromRawValue(rawValue(position)), position);
    }
    EXPECT_EQ(rawValue(KeyHUDPosition::bottomCenter), "bottomCenter");
    EXPECT_EQ(labelEN(KeyHUDPosition::topRight), "Top Right");
    EXPECT_EQ(labelTR(KeyHUDPosition::bottomRight), "Alt Sağ");
    EXPECT_FALSE(keyHUDPositionFromRawValue("topLeft"));
}

} // namespace
} // namespace tarn::input
