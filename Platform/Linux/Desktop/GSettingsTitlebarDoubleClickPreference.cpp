#include "Platform/Linux/Desktop/GSettingsTitlebarDoubleClickPreference.h"

#include "Platform/Linux/Desktop/GioSettings.h"

namespace tarn {

std::optional<std::string> GSettingsTitlebarDoubleClickPreference::action() const
{
    const auto action = GioSettings::string("org.gnome.desktop.wm.preferences", "action-double-click-titlebar");
    if (!action) {
        return std::nullopt;
    }
    return fromGnomeAction(*action);
}

std::string GSettingsTitlebarDoubleClickPreference::fromGnomeAction(std::string_view action)
{
    if (action == "minimize") {
        return "Minimize";
    }
    if (action.starts_with("toggle-maximize")) {
        return "Maximize";
    }
    return "None";
}

} // namespace tarn
