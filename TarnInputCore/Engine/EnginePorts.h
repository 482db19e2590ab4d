#pragma once

// Everything the engine needs from the system, passed in by its owner. The owner keeps every port
// alive for as long as the engine exists.
// The engine logs from the tap thread too (bounces, macro refusals). The owner passes a
// `QueuedLogSink` in front of the application's logger as `log`, so no file is written there.

#include "TarnInputCore/Engine/EngineExecutor.h"
#include "TarnInputCore/Engine/EventPoster.h"
#include "TarnInputCore/Engine/EventTap.h"
#include "TarnInputCore/Engine/WindowAccess.h"
#include "TarnInputCore/Engine/Workspace.h"
#include "TarnKit/Foundation/Clock.h"
#include "TarnKit/Foundation/LogSink.h"

namespace tarn::input {

struct EnginePorts {
    EventTap& tap;
    EventPoster& poster;
    Workspace& workspace;
    WindowAccess& windows;
    const Clock& clock;
    EngineExecutor& executor;
    LogSink& log;
};

} // namespace tarn::input
