#pragma once

// What the tray and the command menu read and ask of the program beyond the settings value:
// whether the tap runs, the device, and the engine's commands (the application in front is
// FrontmostApp's). Observers run on the main thread after each change; an observer stays
// registered while its subscription lives. Main thread only.

#include <functional>
#include <optional>

#include "TarnInputCore/Model/Pointer/ConnectedPointerDevice.h"
#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn::input {

class TrayOperations {
public:
    virtual ~TrayOperations() = default;

    virtual bool isTapActive() const = 0;
    virtual Subscription observeTapActive(std::function<void()> observer) = 0;
    // The first device that is not built in; else the first device; absent when none is listed.
    virtual std::optional<ConnectedPointerDevice> primaryExternalMouse() const = 0;
    virtual Subscription observeConnectedDevices(std::function<void()> observer) = 0;
    virtual void toggleEngine() = 0;
    // Also the action of the global hotkey.
    virtual void toggleKeyHUD() = 0;
    virtual void resetToDefaults() = 0;
};

} // namespace tarn::input
