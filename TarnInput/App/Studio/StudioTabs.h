#pragma once

// The studio's tab strip as data: each tab's labels, symbol and name, in strip order, and the one
// place that builds a tab's screen.

#include <array>
#include <string_view>

#include <QColor>

#include "TarnInput/ViewModel/InputStudioTab.h"

class QWidget;

namespace tarn::input {

class InputStudioViewModel;

struct StudioTabInfo {
    InputStudioTab tab;
    std::string_view en;
    std::string_view tr;
    std::string_view symbol;
    // The raw name, also the tab button's object name ("<name>Tab").
    std::string_view name;
};

inline constexpr std::array<StudioTabInfo, 7> kStudioTabs {{
    {InputStudioTab::hardware, "Hardware", "Donanım & Hz", "cpu.fill", "hardware"},
    {InputStudioTab::scroll, "Scroll", "Kaydırma", "computermouse.fill", "scroll"},
    {InputStudioTab::buttons, "Buttons", "Tuşlar", "hand.tap.fill", "buttons"},
    {InputStudioTab::profiles, "Profiles & Macro", "Profiller & Makro", "square.stack.3d.up.fill", "profiles"},
    {InputStudioTab::gestures, "Gestures", "Hareketler", "hand.draw.fill", "gestures"},
    {InputStudioTab::keyHUD, "KeyHUD", "KeyHUD", "keyboard.badge.eye", "keyHUD"},
    {InputStudioTab::settings, "Settings", "Ayarlar", "gearshape.fill", "settings"},
}};

const StudioTabInfo& studioTabInfo(InputStudioTab tab);

// A new screen for the tab, owned by `parent`. Tabs whose screen is not written yet show a glass
// card with the tab's name.
QWidget* createStudioScreen(InputStudioTab tab, InputStudioViewModel& viewModel, QColor accent, QWidget* parent);

} // namespace tarn::input
