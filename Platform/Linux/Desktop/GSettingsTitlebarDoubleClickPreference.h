#pragma once

// The desktop's title-bar double-click action from GNOME's settings
// (org.gnome.desktop.wm.preferences action-double-click-titlebar), which GNOME, Cinnamon, Budgie
// and others share. Read afresh on every call; none when the schema is not installed.

#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/UI/Chrome/TitlebarDoubleClickPreference.h"

namespace tarn {

class GSettingsTitlebarDoubleClickPreference final : public TitlebarDoubleClickPreference {
public:
    std::optional<std::string> action() const override;

    // "minimize" is "Minimize"; the maximise toggles are "Maximize"; "none" and the actions the
    // frame cannot take ("lower", "menu", "toggle-shade") are "None", so that a double click never
    // does something the user did not choose.
    static std::string fromGnomeAction(std::string_view action);
};

} // namespace tarn
