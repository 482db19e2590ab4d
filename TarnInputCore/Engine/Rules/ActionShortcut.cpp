#include "TarnInputCore/Engine/Rules/ActionShortcut.h"

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

std::optional<ActionShortcut> actionShortcut(MouseButtonAction action)
{
    using enum MouseButtonAction;
    switch (action) {
    case passthrough:
        return std::nullopt;
    case browserBack:
        return ActionShortcut {33, EventFlag::command}; // [
    case browserForward:
        return ActionShortcut {30, EventFlag::command}; // ]
    case missionControl:
        return ActionShortcut {126, EventFlag::control}; // up arrow
    case appExpose:
        return ActionShortcut {125, EventFlag::control}; // down arrow
    case closeTab:
        return ActionShortcut {13, EventFlag::command}; // W
    case newTab:
        return ActionShortcut {17, EventFlag::command}; // T
    case switchSpaceLeft:
        return ActionShortcut {123, EventFlag::control}; // left arrow
    case switchSpaceRight:
        return ActionShortcut {124, EventFlag::control}; // right arrow
    case zoomIn:
        return ActionShortcut {24, EventFlag::command}; // =
    case zoomOut:
        return ActionShortcut {27, EventFlag::command}; // -
    case copy:
        return ActionShortcut {8, EventFlag::command}; // C
    case paste:
        return ActionShortcut {9, EventFlag::command}; // V
    case showDesktop:
        return ActionShortcut {103, 0}; // F11, every modifier cleared
    }
    return std::nullopt;
}

} // namespace tarn::input
