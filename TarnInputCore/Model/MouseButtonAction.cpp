#include "TarnInputCore/Model/MouseButtonAction.h"

#include "TarnKit/Foundation/EnumTable.h"

namespace tarn::input {

namespace {

struct ActionText {
    MouseButtonAction value;
    std::string_view raw;
    std::string_view en;
    std::string_view tr;
};

using enum MouseButtonAction;
constexpr EnumTable kTexts {std::to_array<ActionText>({
    {passthrough, "passthrough", "System Default", "Sistem Varsayılanı"},
    {browserBack, "browserBack", "Navigate Back (⌘[)", "Geri Git (⌘[)"},
    {browserForward, "browserForward", "Navigate Forward (⌘])", "İleri Git (⌘])"},
    {missionControl, "missionControl", "Mission Control (⌃↑)", "Mission Control (⌃↑)"},
    {appExpose, "appExpose", "App Exposé (⌃↓)", "Uygulama Exposé (⌃↓)"},
    {closeTab, "closeTab", "Close Tab (⌘W)", "Sekmeyi Kapat (⌘W)"},
    {newTab, "newTab", "New Tab (⌘T)", "Yeni Sekme (⌘T)"},
    {switchSpaceLeft, "switchSpaceLeft", "Previous Space (⌃←)", "Önceki Masaüstü (⌃←)"},
    {switchSpaceRight, "switchSpaceRight", "Next Space (⌃→)", "Sonraki Masaüstü (⌃→)"},
    {zoomIn, "zoomIn", "Zoom In (⌘+)", "Yakınlaştır (⌘+)"},
    {zoomOut, "zoomOut", "Zoom Out (⌘-)", "Uzaklaştır (⌘-)"},
    {copy, "copy", "Copy (⌘C)", "Kopyala (⌘C)"},
    {paste, "paste", "Paste (⌘V)", "Yapıştır (⌘V)"},
    {showDesktop, "showDesktop", "Show Desktop (F11)", "Masaüstünü Göster (F11)"},
})};
static_assert(kTexts.covers(kAllMouseButtonActions));

} // namespace

std::string_view rawValue(MouseButtonAction action)
{
    return kTexts[action].raw;
}

std::optional<MouseButtonAction> mouseButtonActionFromRawValue(std::string_view raw)
{
    return kTexts.fromRaw(raw);
}

std::string_view labelEN(MouseButtonAction action)
{
    return kTexts[action].en;
}

std::string_view labelTR(MouseButtonAction action)
{
    return kTexts[action].tr;
}

} // namespace tarn::input
