#pragma once

// A fake of KWin's scripting interface on the session bus. It keeps the script it is given and
// plays its part: it calls the adapter's object with window lists as the script writes them, at
// the connection that loaded the script.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Linux/Wayland/KWinWorkspace.h"
#include "Platform/Linux/Wayland/tests/dbus/FakeBusService.h"

namespace tarn::input {

class FakeKWin {
public:
    explicit FakeKWin(FakeBusService& service)
        : m_service(service)
    {
        EXPECT_TRUE(service.addObject("/Scripting", "org.kde.kwin.Scripting", kVtable, this));
        EXPECT_TRUE(service.claim("org.kde.KWin"));
    }

    struct Seen {
        std::string script; // the text of the loaded script
        std::string loader; // the connection that loaded it
        std::vector<std::string> calls;
    };
    Seen seen()
    {
        return m_service.withBus([&](sd_bus*) { return m_seen; });
    }

    // What the script does when a window opens, closes or takes the focus.
    bool sendWindows(const std::string& windows)
    {
        const auto loader = seen().loader;
        return m_service.withBus([&](sd_bus* bus) {
            sd_bus_error error = SD_BUS_ERROR_NULL;
            const int result = sd_bus_call_method(bus, loader.c_str(), KWinWorkspace::kPath, KWinWorkspace::kInterface,
                "Update", &error, nullptr, "s", windows.c_str());
            sd_bus_error_free(&error);
            return result >= 0;
        });
    }

private:
    static int onLoadScript(sd_bus_message* message, void* data, sd_bus_error*)
    {
        auto& kwin = *static_cast<FakeKWin*>(data);
        const char* path = nullptr;
        const char* name = nullptr;
        sd_bus_message_read(message, "ss", &path, &name);
        std::stringstream text;
        text << std::ifstream(path).rdbuf();
        kwin.m_seen.script = text.str();
        kwin.m_seen.loader = sd_bus_message_get_sender(message);
        kwin.m_seen.calls.push_back(std::string("loadScript ") + name);
        return sd_bus_reply_method_return(message, "i", 1);
    }
    static int onUnloadScript(sd_bus_message* message, void* data, sd_bus_error*)
    {
        const char* name = nullptr;
        sd_bus_message_read(message, "s", &name);
        static_cast<FakeKWin*>(data)->m_seen.calls.push_back(std::string("unloadScript ") + name);
        return sd_bus_reply_method_return(message, "b", 1);
    }
    static int onStart(sd_bus_message* message, void* data, sd_bus_error*)
    {
        static_cast<FakeKWin*>(data)->m_seen.calls.emplace_back("start");
        return sd_bus_reply_method_return(message, "");
    }
    static constexpr sd_bus_vtable kVtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("loadScript", "ss", "i", &FakeKWin::onLoadScript, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD("unloadScript", "s", "b", &FakeKWin::onUnloadScript, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD("start", "", "", &FakeKWin::onStart, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_VTABLE_END,
    };

    FakeBusService& m_service;
    Seen m_seen;
};

} // namespace tarn::input
