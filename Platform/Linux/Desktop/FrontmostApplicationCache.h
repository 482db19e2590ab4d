#pragma once

// The frontmost application as a workspace adapter last read it, and the handlers to tell of each
// change. The engine's question copies a pointer under a lock held for nothing longer than that
// copy by either side, so it never waits for the adapter's own reading of the desktop.
//
// A handler must neither subscribe nor end a subscription (it runs under the lock that ending one
// waits on); every subscription ends before the cache is destroyed.

#include <map>
#include <memory>
#include <mutex>

#include "TarnInputCore/Engine/Ports/Workspace.h"

namespace tarn::input {

class FrontmostApplicationCache {
public:
    FrontmostApplication current() const;
    // Tells the handlers when `application` differs from the one before it.
    void publish(FrontmostApplication application);
    Subscription subscribe(Workspace::ActivationHandler handler);

private:
    mutable std::mutex m_currentMutex;
    std::shared_ptr<const FrontmostApplication> m_current {std::make_shared<FrontmostApplication>()};

    // Held while handlers run, so that ending a subscription waits for a call in progress.
    std::mutex m_handlerMutex;
    std::map<int, Workspace::ActivationHandler> m_handlers;
    int m_nextHandler = 0;
};

} // namespace tarn::input
