#pragma once

// The engine's whole set of fake ports, sharing one virtual clock: what a test needs to build an
// InputEventInterceptorService. Declared before the service that uses them, so they outlive it.

#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Core/FakeEventPoster.h"
#include "Platform/Fake/Core/FakeEventTap.h"
#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "TarnInputCore/Engine/Ports/EnginePorts.h"

namespace tarn::input {

struct FakeEnginePorts {
    FakeClock clock;
    FakeEventTap tap;
    FakeEventPoster poster;
    FakeWorkspace workspace;
    FakeWindowAccess windows;
    FakeEngineExecutor executor {clock};
    RecordingLogSink log;

    EnginePorts ports() { return {tap, poster, workspace, windows, clock, executor, log}; }
};

} // namespace tarn::input
