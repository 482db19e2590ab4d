#include "TarnInputCore/Model/MouseButtonAction.h"

#include <cstddef>

namespace tarn::input {

namespace {

struct ActionText {
    std::string_view raw;
    std::string_view en;
    std::string_view tr;
};

// Indexed by the enum's value, in declaration order.
constexpr std::array<ActionText, 14> kTexts {{
    {"passthrough", "System Default", "Sistem Varsayılanı"},
    {"browserBack", "Navigate Back (⌘[)", "Geri Git (⌘[)"},
    {"browserForward", "Navigate Forward (⌘])", "İleri Git (⌘])"},
    {"missionControl", "Mission Control (⌃↑)", "Mission Control (⌃↑)"},
    {"appExpose", "App Exposé (⌃↓)", "Uygulama Exposé (⌃↓)"},
    {"closeTab", "Close Tab (⌘W)", "Sekmeyi Kapat (⌘W)"},
    {"newTab", "New Tab (⌘T)", "Yeni Sekme (⌘T)"},
    {"switchSpaceLeft", "Previous Space (⌃←)", "Önceki Masaüstü (⌃←)"},
    {"switchSpaceRight", "Next Space (⌃→)", "Sonraki Masaüstü (⌃→)"},
    {"zoomIn", "Zoom In (⌘+)", "Yakınlaştır (⌘+)"},
    {"zoomOut", "Zoom Out (⌘-)", "Uzaklaştır (⌘-)"},
    {"copy", "Copy (⌘C)", "Kopyala (⌘C)"},
    {"paste", "Paste (⌘V)", "Yapıştır (⌘V)"},
    {"showDesktop", "Show Desktop (F11)", "Masaüstünü Göster (F11)"},
}};

const ActionText& textOf(MouseButtonAction action)
{
    return kTexts[static_cast<std::size_t>(action)];
}

} // namespace

std::string_view rawValue(MouseButtonAction action)
{
    return textOf(action).raw;
}

std::optional<MouseButtonAction> mouseButtonActionFromRawValue(std::string_view raw)
{
    for (const auto action : kAllMouseButtonActions) {
        if (textOf(action).raw == raw) {
            return action;
        }
    }
    return std::nullopt;
}

std::string_view labelEN(MouseButtonAction action)
{
    return textOf(action).en;
}

std::string_view labelTR(MouseButtonAction action)
{
    return textOf(action).tr;
}

} // namespace tarn::input
