#pragma once

// Everything the engine needs from the system, passed in by its owner. The owner keeps every port
// alive for as long as the engine exists.
// The engine logs from the tap thread too (bounces, macro refusals). The owner passes a
// `QueuedLogSink` in front of the application's logger as `log`, so no file is written there.

#include "TarnInputCore/Engine/Ports/EngineExecutor.h"
#include "TarnInputCore/Engine/Ports/EventPoster.h"
#include "TarnInputCore/Engine/Ports/EventTap.h"
#include "TarnInputCore/Engine/Ports/WindowAccess.h"
#include "TarnInputCore/Engine/Ports/Workspace.h"
#include "TarnKit/Foundation/Logging/LogSink.h"
#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn::input {

struct EnginePorts {
    EventTap& tap;
    EventPoster& poster;
    Workspace& workspace;
    WindowAccess& windows;
    const Clock& clock;
    EngineExecutor& executor;
    LogSink& log;
    // Where the executor posts (smoothing frames, macro steps), when given: a poster the tap
    // thread never uses, so that its own posts never wait behind the executor's. Without one both
    // post through `poster`.
    EventPoster* executorPoster = nullptr;
};

} // namespace tarn::input
