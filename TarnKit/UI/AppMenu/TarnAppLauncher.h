#pragma once

// Runs an application that builds its own main window instead of declaring it: creates the
// application object, lets `makeMainWindow` build the window, puts the menu controller's menu bar
// on it, shows it and runs the event loop until the application quits. The window and the
// controller live until the loop returns; the application object is gone when this returns.

#include <functional>
#include <memory>

#include "TarnKit/UI/AppMenu/TarnAppMenuController.h"

class QMainWindow;

namespace tarn {

// Returns the event loop's exit code.
int tarnRunApplication(int& argc, char** argv, TarnAppMenuConfiguration configuration, TarnAppMenuServices services,
    const std::function<std::unique_ptr<QMainWindow>()>& makeMainWindow);

} // namespace tarn
