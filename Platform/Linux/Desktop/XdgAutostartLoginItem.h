#pragma once

// Launch at login through an XDG autostart entry, $XDG_CONFIG_HOME/autostart/<identifier>.desktop,
// which every freedesktop desktop starts at login. The entry is switched off with Hidden=true rather
// than deleted, so whatever the user changed in it (arguments, a delay, desktops it runs on) is kept
// when it is switched on again; only Hidden, X-GNOME-Autostart-enabled and missing required keys
// are touched. A symbolic link (a dotfiles folder, say) stays a link: its target is rewritten.

#include <filesystem>
#include <string>

#include "TarnKit/Foundation/Files/XdgPaths.h"
#include "TarnKit/Foundation/Ports/LoginItemBackend.h"

namespace tarn {

class XdgAutostartLoginItem final : public LoginItemBackend {
public:
    // `executable` is what the entry starts; `fileName` and `displayName` default to the
    // program's identifier (with ".desktop") and display name. Every value is written with the
    // desktop entry escapes. A file name that is not a plain name inside the autostart folder
    // (a "/", "." or "..") names no entry: it never reads as registered and cannot be set.
    XdgAutostartLoginItem(const XdgPaths& paths, std::filesystem::path executable, std::string fileName = {},
        std::string displayName = {});

    // The running program, as /proc/self/exe names it.
    static std::filesystem::path currentExecutable();

    // Empty when the file name was refused.
    const std::filesystem::path& entryPath() const { return m_entryPath; }

    // Registered: the entry exists, has a [Desktop Entry] group with an Exec key, and neither
    // Hidden=true nor X-GNOME-Autostart-enabled=false switches it off.
    bool isRegistered() const override;
    // Written atomically; false when the entry could not be written, leaving the file as it was.
    bool setRegistered(bool registered) override;

private:
    std::filesystem::path m_entryPath;
    std::filesystem::path m_executable;
    std::string m_displayName;
};

} // namespace tarn
