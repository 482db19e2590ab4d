#pragma once

// Port: what the desktop knows of the family's applications. Each question is asked afresh;
// nothing is cached. On Linux an application is installed when the desktop entry named after its
// bundle identifier exists, runs when it holds its session-bus name or a process of the user is
// called by its raw value, and is started from its desktop entry.

#include <filesystem>
#include <optional>

#include "TarnKit/Suite/Commands/TarnSuiteApp.h"

namespace tarn {

class AppEnvironment {
public:
    virtual ~AppEnvironment() = default;

    // Where the application is installed, when it is.
    virtual std::optional<std::filesystem::path> installedLocation(TarnSuiteApp app) const = 0;
    virtual bool isRunning(TarnSuiteApp app) const = 0;
    // Brings a running instance of the application to the front, as far as the desktop lets a
    // program do that. False when none runs (and nothing is done).
    virtual bool activateRunning(TarnSuiteApp app) = 0;
    // Asks for the application installed at `location` to start, in front of the others when
    // `activates` is set. True when the request was made: whether the application then starts is
    // not observed. False when it could not be made (an entry that says nothing runnable).
    virtual bool open(const std::filesystem::path& location, bool activates) = 0;

    bool isInstalled(TarnSuiteApp app) const { return installedLocation(app).has_value(); }
    // Activates the running instance, so that a second one is never started; otherwise asks the
    // installed application to start in front. False when neither runs nor is installed, or when
    // the start could not be requested.
    bool launch(TarnSuiteApp app);
};

} // namespace tarn
