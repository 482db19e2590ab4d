#pragma once

// The program's own top-level windows, as the activation delegate needs them: in the platform's
// order, whether each can be the main window or is a panel, and the steps that bring one forward.

#include <cstddef>
#include <vector>

namespace tarn {

struct ApplicationWindowState {
    bool canBecomeMain = false;
    bool isPanel = false;
    bool isMinimized = false;
    bool isVisible = false;
};

class ApplicationWindows {
public:
    virtual ~ApplicationWindows() = default;

    // The windows now; the indexes below refer to the latest list.
    virtual std::vector<ApplicationWindowState> windows() = 0;
    virtual void restore(std::size_t index) = 0;
    virtual void makeKeyAndOrderFront(std::size_t index) = 0;
    // Makes the program the active one, whatever else was.
    virtual void activateIgnoringOtherApps() = 0;
};

} // namespace tarn
