#pragma once

// Port: tells the view model when the input devices, their batteries or the permission to use
// them may have changed, so that its watcher looks again then, and never on a clock: a program at
// rest wakes for nothing. A notice says nothing about what changed.

#include <functional>

#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn::input {

class DeviceChangeNotices {
public:
    virtual ~DeviceChangeNotices() = default;

    // `changed` runs on the main thread once after each burst of changes, until the handle goes.
    virtual Subscription subscribe(std::function<void()> changed) = 0;
};

} // namespace tarn::input
