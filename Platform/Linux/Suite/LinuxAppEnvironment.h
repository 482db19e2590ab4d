#pragma once

// The family's applications on a Linux desktop.
// - Installed: the desktop entry "<bundle identifier>.desktop" (com.harrowfen.tarnmemory.desktop)
//   in the "applications" folder of the first data folder that has one: $XDG_DATA_HOME before
//   $XDG_DATA_DIRS, so the user's own copy wins. The entry found first decides: one that is
//   hidden, no application or unreadable counts as removed.
// - Running: the session-bus name "<bundle identifier>" has an owner, else a process of this
//   user is called by the raw value, letter case aside.
// - Activating: on X11 the running instance's window (by the name owner's or the process's
//   number, else by its window class) is asked to the front. A Wayland desktop lets no program
//   raise another's window; there the application is left where it is.
// - Opening: the entry's Exec command line is started directly, no shell, with the field codes
//   expanded for a start without files. A program started on a Linux desktop comes to the front
//   by itself; there is no asking it to start behind the others.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Linux/DBus/SessionBusNames.h"
#include "Platform/Linux/Suite/ProcessNameLookup.h"
#include "Platform/Linux/Suite/X11WindowActivator.h"
#include "TarnKit/Foundation/Identity/Environment.h"
#include "TarnKit/Suite/Commands/AppEnvironment.h"

namespace tarn {

class LinuxAppEnvironment final : public AppEnvironment {
public:
    // Starts a program with its arguments without waiting for it; false when it cannot start.
    using Starter = std::function<bool(const std::vector<std::string>& arguments)>;

    struct Parts {
        std::vector<std::filesystem::path> dataFolders; // highest priority first
        std::string localeName; // for the Name the %c field code gives
        ProcessNameLookup processes;
        std::unique_ptr<SessionBusNames> busNames; // none: only processes tell what runs
        std::unique_ptr<X11WindowActivator> windows; // none: nothing is brought forward
        Starter start;
    };

    explicit LinuxAppEnvironment(Parts parts);
    // The user's data folders and locale, the real processes, the session bus, the X11 display
    // when there is one, and detached processes for starting.
    static std::unique_ptr<LinuxAppEnvironment> fromEnvironment(const EnvironmentLookup& lookup = processEnvironment);

    std::optional<std::filesystem::path> installedLocation(TarnSuiteApp app) const override;
    bool isRunning(TarnSuiteApp app) const override;
    bool activateRunning(TarnSuiteApp app) override;
    bool open(const std::filesystem::path& location, bool activates) override;

private:
    Parts m_parts;
};

} // namespace tarn
