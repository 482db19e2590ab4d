#pragma once

// The engine's whole set of fake ports, sharing one virtual clock: what a test needs to build an
// InputEventInterceptorService. Declared before the service that uses them, so they outlive it.

#include "Platform/Fake/FakeClock.h"
#include "Platform/Fake/FakeEngineExecutor.h"
#include "Platform/Fake/FakeEventPoster.h"
#include "Platform/Fake/FakeEventTap.h"
#include "Platform/Fake/FakeWindowAccess.h"
#include "Platform/Fake/FakeWorkspace.h"
#include "Platform/Fake/RecordingLogSink.h"
#include "TarnInputCore/Engine/EnginePorts.h"

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
