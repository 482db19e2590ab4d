// Proves the D-Bus test machinery: a signal sent on the session bus reaches a second connection.

#include <chrono>
#include <string>

#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include "TarnKit/Foundation/Files/CHandle.h"

namespace {

using Bus = tarn::CHandle<sd_bus, sd_bus_flush_close_unref>;
using Slot = tarn::CHandle<sd_bus_slot, sd_bus_slot_unref>;

Bus openSessionBus()
{
    sd_bus* bus = nullptr;
    return Bus(sd_bus_open_user(&bus) >= 0 ? bus : nullptr);
}

TEST(SessionBus, SignalReachesAnotherConnection)
{
    Bus receiver = openSessionBus();
    Bus sender = openSessionBus();
    ASSERT_TRUE(receiver && sender) << "no session bus";

    std::string received;
    sd_bus_slot* rawSlot = nullptr;
    ASSERT_GE(sd_bus_match_signal(
                  receiver.get(), &rawSlot, nullptr, "/com/harrowfen/test", "com.harrowfen.Test", "Ping",
                  [](sd_bus_message* message, void* userdata, sd_bus_error*) {
                      const char* text = nullptr;
                      if (sd_bus_message_read(message, "s", &text) >= 0) {
                          *static_cast<std::string*>(userdata) = text;
                      }
                      return 0;
                  },
                  &received),
        0);
    Slot slot(rawSlot);
    // The match must reach the bus daemon before the signal is sent.
    while (sd_bus_process(receiver.get(), nullptr) > 0) { }

    ASSERT_GE(sd_bus_emit_signal(sender.get(), "/com/harrowfen/test", "com.harrowfen.Test", "Ping", "s", "hello"), 0);
    sd_bus_flush(sender.get());

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (received.empty() && std::chrono::steady_clock::now() < deadline) {
        if (sd_bus_process(receiver.get(), nullptr) == 0) {
            sd_bus_wait(receiver.get(), 100'000);
        }
    }
    EXPECT_EQ(received, "hello");
}

} // namespace
