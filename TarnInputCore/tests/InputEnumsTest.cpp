#include <gtest/gtest.h>

#include "TarnInputCore/Model/GestureDirection.h"
#include "TarnInputCore/Model/KeyHUDPosition.h"
#include "TarnInputCore/Model/MouseButtonAction.h"
#include "TarnInputCore/Model/MouseButtonKind.h"

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
    EXPECT_EQ(labelEN(MouseButtonAction::appExpose), "App Exposé (⌃↓)");
    EXPECT_EQ(labelTR(MouseButtonAction::switchSpaceLeft), "Önceki Masaüstü (⌃←)");
    EXPECT_EQ(labelEN(MouseButtonAction::showDesktop), "Show Desktop (F11)");
    EXPECT_EQ(labelEN(MouseButtonAction::missionControl), labelTR(MouseButtonAction::missionControl));
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
