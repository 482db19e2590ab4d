#pragma once
// How a view hands a command to the suite command bus: the host passes the bus's send (or a
// fake), so no view reaches for a shared bus. True when the command was written.
#include <functional>

#include "TarnKit/Suite/Commands/TarnSuiteCommandBus.h"

namespace tarn {

using TarnSuiteSend = std::function<bool(
    TarnSuiteCommandKind kind, TarnSuiteApp from, TarnSuiteApp to, const TarnSuiteSendOptions& options)>;

// The bus's send, true for every outcome that left the command in the target's slot.
TarnSuiteSend tarnSuiteSendThrough(TarnSuiteCommandBus& bus);

// Sends `kind` to `to` with launch-if-needed set, as every view's button does.
bool tarnSendFromView(
    const TarnSuiteSend& send, TarnSuiteCommandKind kind, TarnSuiteApp from, TarnSuiteApp to, bool bringToFront);

} // namespace tarn
