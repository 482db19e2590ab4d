#pragma once

// What a remapped button or a gesture direction does. The raw value is the case name; it is the
// action's form in the settings file. The labels name the shortcut the engine posts for it.

#include <array>
#include <optional>
#include <string_view>

namespace tarn::input {

enum class MouseButtonAction {
    // The button keeps its own behaviour: nothing is swallowed or replaced.
    passthrough,
    browserBack,
    browserForward,
    missionControl,
    appExpose,
    closeTab,
    newTab,
    switchSpaceLeft,
    switchSpaceRight,
    zoomIn,
    zoomOut,
    copy,
    paste,
    showDesktop,
};

// Picker order.
inline constexpr std::array<MouseButtonAction, 14> kAllMouseButtonActions {MouseButtonAction::passthrough,
    MouseButtonAction::browserBack, MouseButtonAction::browserForward, MouseButtonAction::missionControl,
    MouseButtonAction::appExpose, MouseButtonAction::closeTab, MouseButtonAction::newTab,
    MouseButtonAction::switchSpaceLeft, MouseButtonAction::switchSpaceRight, MouseButtonAction::zoomIn,
    MouseButtonAction::zoomOut, MouseButtonAction::copy, MouseButtonAction::paste, MouseButtonAction::showDesktop};

// The case name ("appExpose"); also the action's identity.
std::string_view rawValue(MouseButtonAction action);
// Exact, case-sensitive case names only.
std::optional<MouseButtonAction> mouseButtonActionFromRawValue(std::string_view raw);

std::string_view labelEN(MouseButtonAction action);
std::string_view labelTR(MouseButtonAction action);

} // namespace tarn::input
