#include "TarnKit/Suite/Views/TarnSuiteSend.h"

namespace tarn {

TarnSuiteSend tarnSuiteSendThrough(TarnSuiteCommandBus& bus)
{
    return [&bus](TarnSuiteCommandKind kind, TarnSuiteApp from, TarnSuiteApp to, const TarnSuiteSendOptions& options) {
        return bus.send(kind, from, to, options) != TarnSuiteCommandBus::SendOutcome::notWritten;
    };
}

bool tarnSendFromView(
    const TarnSuiteSend& send, TarnSuiteCommandKind kind, TarnSuiteApp from, TarnSuiteApp to, bool bringToFront)
{
    if (!send) {
        return false;
    }
    TarnSuiteSendOptions options;
    options.launchIfNeeded = true;
    options.bringToFront = bringToFront;
    return send(kind, from, to, options);
}

} // namespace tarn
