#pragma once

// Port: notices by name between the programs of one desktop session
// ("com.harrowfen.suite.command.tarnmemory"), delivered at once to every observer of the name,
// the posting program's own included. A notice carries its name and, optionally, one text. There
// is no reply and no guarantee: a notice posted while nobody observes is gone.
//
// Handlers run on a thread of the notifier's own, never inside post(); work for the interface is
// handed on to the main thread from there. Once a subscription is cancelled its handler is not
// called again, and a call under way on another thread has ended when cancel() returns.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn {

class DistributedNotifier {
public:
    using Handler = std::function<void(const std::optional<std::string>& object)>;

    virtual ~DistributedNotifier() = default;

    // False when the notice could not be sent (no session to send it in).
    [[nodiscard]] virtual bool post(std::string_view name, const std::optional<std::string>& object = std::nullopt) = 0;
    // Calls `handler` for every notice of exactly this name.
    virtual Subscription observe(std::string name, Handler handler) = 0;
};

} // namespace tarn
