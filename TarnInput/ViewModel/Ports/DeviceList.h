#pragma once

// The pointing devices the program lists, for the screens that show or pick them. Observers run
// on the main thread after each change; an observer stays registered while its subscription
// lives. Main thread only.

#include <functional>
#include <vector>

#include "TarnInputCore/Model/Pointer/ConnectedPointerDevice.h"
#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn::input {

class DeviceList {
public:
    virtual ~DeviceList() = default;

    virtual const std::vector<ConnectedPointerDevice>& connectedDevices() const = 0;
    virtual Subscription observeConnectedDevices(std::function<void()> observer) = 0;
    // Lists the devices again; with feedback it always logs and toasts.
    virtual void refreshDevices(bool showFeedback) = 0;
};

} // namespace tarn::input
