#pragma once

// What the KeyHUD screen reads from the engine's side: the newest lines of what it did, and a
// preview of the overlays. Observers run on the main thread; an observer stays registered while
// its subscription lives. Main thread only.

#include <functional>
#include <string>
#include <vector>

#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn::input {

class KeyHUDFeed {
public:
    virtual ~KeyHUDFeed() = default;

    // "[<time>] <what the engine did>", newest first.
    virtual const std::vector<std::string>& recentEvents() const = 0;
    virtual Subscription observeRecentEvents(std::function<void()> observer) = 0;
    // Shows a sample key token and a ripple at the pointer, whatever the settings.
    virtual void previewKeyHUD() = 0;
};

} // namespace tarn::input
