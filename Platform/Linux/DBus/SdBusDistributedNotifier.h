#pragma once

// Desktop-wide notices over the user's session bus. A notice is the signal "Posted" of the
// interface com.harrowfen.DistributedNotification on the path /com/harrowfen/DistributedNotification,
// carrying the notice's name as its first argument (a D-Bus member name cannot hold the dots of
// "com.harrowfen.suite.command.tarnmemory"), then whether an object comes with it and the object.
// Every program of the family listens to that one signal, and the bus delivers it to the poster
// too, so a program's own observers hear its own notices.
//
// One connection and one thread of the notifier's own, which reads the bus and calls the handlers
// (outside every lock of the notifier, so a handler may post or cancel). Never destroy the
// notifier from one of its handlers.

#include <memory>
#include <string>

#include "TarnKit/Foundation/Ports/DistributedNotifier.h"

namespace tarn {

class SdBusDistributedNotifier final : public DistributedNotifier {
public:
    // Null, with the reason in `whyNot`, when the session bus cannot be reached.
    static std::unique_ptr<SdBusDistributedNotifier> connect(std::string& whyNot);
    ~SdBusDistributedNotifier() override;
    SdBusDistributedNotifier(const SdBusDistributedNotifier&) = delete;
    SdBusDistributedNotifier& operator=(const SdBusDistributedNotifier&) = delete;

    bool post(std::string_view name, const std::optional<std::string>& object = std::nullopt) override;
    Subscription observe(std::string name, Handler handler) override;

private:
    struct Impl;
    explicit SdBusDistributedNotifier(std::shared_ptr<Impl> impl);

    // Shared with the subscriptions, which may outlive the notifier.
    std::shared_ptr<Impl> m_impl;
};

} // namespace tarn
