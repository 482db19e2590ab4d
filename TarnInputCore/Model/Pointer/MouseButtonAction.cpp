#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"

#include <string>

#include "TarnInputCore/Model/Keys/ActionShortcut.h"
#include "TarnInputCore/Model/Keys/EventFlag.h"
#include "TarnInputCore/Model/Keys/PostedKeys.h"
#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn::input {

namespace {

// One row per action: its stored name, what it is called and the shortcut it posts. Actions the
// other desktop names after its own features (its overview, its spaces) carry the names Linux
// desktops give the same thing, and the labels add the keys that are really pressed.
struct ActionRow {
    MouseButtonAction value;
    std::string_view raw;
    std::string_view en;
    std::string_view tr;
    std::optional<ActionShortcut> shortcut;
};

using enum MouseButtonAction;
constexpr auto kCommand = EventFlag::command;
constexpr auto kControl = EventFlag::control;
constexpr EnumTable kActions {std::to_array<ActionRow>({
    {passthrough, "passthrough", "System Default", "Sistem Varsayılanı", std::nullopt},
    {browserBack, "browserBack", "Navigate Back", "Geri Git", ActionShortcut {33, kCommand}}, // [
    {browserForward, "browserForward", "Navigate Forward", "İleri Git", ActionShortcut {30, kCommand}}, // ]
    {missionControl, "missionControl", "Activities Overview", "Etkinlikler Genel Görünümü",
        ActionShortcut {126, kControl}}, // up arrow
    {appExpose, "appExpose", "Show Applications", "Uygulamaları Göster", ActionShortcut {125, kControl}}, // down
    {closeTab, "closeTab", "Close Tab", "Sekmeyi Kapat", ActionShortcut {13, kCommand}}, // W
    {newTab, "newTab", "New Tab", "Yeni Sekme", ActionShortcut {17, kCommand}}, // T
    {switchSpaceLeft, "switchSpaceLeft", "Previous Workspace", "Önceki Çalışma Alanı",
        ActionShortcut {123, kControl}}, // left arrow
    {switchSpaceRight, "switchSpaceRight", "Next Workspace", "Sonraki Çalışma Alanı",
        ActionShortcut {124, kControl}}, // right arrow
    {zoomIn, "zoomIn", "Zoom In", "Yakınlaştır", ActionShortcut {24, kCommand}}, // =
    {zoomOut, "zoomOut", "Zoom Out", "Uzaklaştır", ActionShortcut {27, kCommand}}, // -
    {copy, "copy", "Copy", "Kopyala", ActionShortcut {8, kCommand}}, // C
    {paste, "paste", "Paste", "Yapıştır", ActionShortcut {9, kCommand}}, // V
    {showDesktop, "showDesktop", "Show Desktop", "Masaüstünü Göster", ActionShortcut {103, 0}}, // F11
})};
static_assert(kActions.covers(kAllMouseButtonActions));

std::string composedLabel(const ActionRow& row, bool turkish)
{
    std::string label(turkish ? row.tr : row.en);
    if (row.shortcut) {
        const auto keys = postedKeysForShortcut(row.shortcut->keyCode, row.shortcut->flags);
        label.append(" (").append(postedKeysText(keys, turkish)).append(")");
    }
    return label;
}

// Built once, so a label is a view into storage that lives as long as the program (the engine
// names actions in its event lines from the input thread).
struct Labels {
    std::array<std::string, kAllMouseButtonActions.size()> en;
    std::array<std::string, kAllMouseButtonActions.size()> tr;

    Labels()
    {
        for (std::size_t index = 0; index < kAllMouseButtonActions.size(); ++index) {
            const auto& row = kActions[kAllMouseButtonActions[index]];
            en[index] = composedLabel(row, false);
            tr[index] = composedLabel(row, true);
        }
    }
};

const Labels& labels()
{
    static const Labels built;
    return built;
}

// A value outside the cases reads as the first, as the table's rows do.
std::size_t indexOf(MouseButtonAction action)
{
    const auto index = static_cast<std::size_t>(action);
    return index < kAllMouseButtonActions.size() ? index : 0;
}

} // namespace

std::string_view rawValue(MouseButtonAction action)
{
    return kActions[action].raw;
}

std::optional<MouseButtonAction> mouseButtonActionFromRawValue(std::string_view raw)
{
    return kActions.fromRaw(raw);
}

std::string_view labelEN(MouseButtonAction action)
{
    return labels().en[indexOf(action)];
}

std::string_view labelTR(MouseButtonAction action)
{
    return labels().tr[indexOf(action)];
}

std::optional<ActionShortcut> actionShortcut(MouseButtonAction action)
{
    return kActions[action].shortcut;
}

} // namespace tarn::input
