#include "Platform/Linux/Wayland/KWinWorkspace.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <utility>

#include <fmt/format.h>

#include "Platform/Linux/Wayland/DesktopWindowJson.h"
#include "Platform/Linux/Wayland/SessionBusThread.h"
#include "Platform/Linux/Wayland/WindowListTracker.h"
#include "kwin/KWinWindowListScript.h"

#include <unistd.h>

namespace tarn::input {

namespace {

constexpr const char* kKWin = "org.kde.KWin";
constexpr const char* kScriptingPath = "/Scripting";
constexpr const char* kScriptingInterface = "org.kde.kwin.Scripting";

} // namespace

struct KWinWorkspace::Impl {
    explicit Impl(const EnvironmentLookup& environment)
        : tracker(environment)
    {
    }

    WindowListTracker tracker;
    // KWin's own connection: the lists come from it alone.
    std::string kwinConnection;
    std::filesystem::path scriptFile;
    std::unique_ptr<SessionBusThread> bus;
    SdBusSlot object;

    static int onUpdate(sd_bus_message* message, void* data, sd_bus_error* error)
    {
        auto& impl = *static_cast<Impl*>(data);
        const char* sender = sd_bus_message_get_sender(message);
        if (sender == nullptr || impl.kwinConnection != sender) {
            return sd_bus_error_set(error, SD_BUS_ERROR_ACCESS_DENIED, "Only KWin sends the window list");
        }
        const char* text = nullptr;
        if (sd_bus_message_read(message, "s", &text) >= 0) {
            if (const auto settleAt = impl.tracker.update(DesktopWindowJson::parseList(text))) {
                impl.bus->callAt(*settleAt, [&impl] { impl.tracker.settle(); });
            }
        }
        return sd_bus_reply_method_return(message, "");
    }

    static constexpr sd_bus_vtable vtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("Update", "s", "", &Impl::onUpdate, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_VTABLE_END,
    };

    bool callScripting(const char* method, std::string& whyNot, const char* types, auto... arguments)
    {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        const int result = sd_bus_call_method(
            bus->bus(), kKWin, kScriptingPath, kScriptingInterface, method, &error, nullptr, types, arguments...);
        if (result < 0) {
            whyNot = fmt::format("KWin does not run the window script ({}: {})", method,
                error.message != nullptr ? error.message : "no answer");
        }
        sd_bus_error_free(&error);
        return result >= 0;
    }

    bool findKWin(std::string& whyNot)
    {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message* reply = nullptr;
        const char* owner = nullptr;
        if (sd_bus_call_method(bus->bus(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "GetNameOwner", &error, &reply, "s", kKWin)
                >= 0
            && sd_bus_message_read(reply, "s", &owner) >= 0) {
            kwinConnection = owner;
        } else {
            whyNot = fmt::format("KWin is not on the session bus ({})", error.message != nullptr ? error.message : "");
        }
        sd_bus_message_unref(reply);
        sd_bus_error_free(&error);
        return !kwinConnection.empty();
    }

    bool writeScript(const std::string& service, std::string& whyNot)
    {
        std::string script = kKWinWindowListScript;
        for (const auto& [placeholder, value] : {std::pair<std::string_view, std::string_view> {"%SERVICE%", service},
                 {"%PATH%", kPath}, {"%INTERFACE%", kInterface}}) {
            for (auto at = script.find(placeholder); at != std::string::npos; at = script.find(placeholder, at)) {
                script.replace(at, placeholder.size(), value);
                at += value.size();
            }
        }
        std::ofstream out(scriptFile, std::ios::trunc);
        out << script;
        if (!out.flush()) {
            whyNot = "cannot write the window script to " + scriptFile.string();
            return false;
        }
        return true;
    }
};

std::unique_ptr<KWinWorkspace> KWinWorkspace::connect(const EnvironmentLookup& environment, std::string& whyNot)
{
    const auto runtime = environment("XDG_RUNTIME_DIR");
    if (!runtime || runtime->empty()) {
        whyNot = "no XDG_RUNTIME_DIR for KWin's window script";
        return nullptr;
    }
    auto impl = std::make_unique<Impl>(environment);
    impl->bus = SessionBusThread::open(whyNot);
    if (!impl->bus) {
        return nullptr;
    }
    sd_bus* bus = impl->bus->bus();
    sd_bus_slot* slot = nullptr;
    const char* unique = nullptr;
    if (sd_bus_add_object_vtable(bus, &slot, kPath, kInterface, Impl::vtable, impl.get()) < 0
        || sd_bus_get_unique_name(bus, &unique) < 0) {
        whyNot = "cannot offer the window list's object on the session bus";
        return nullptr;
    }
    impl->object.reset(slot);
    impl->scriptFile = std::filesystem::path(*runtime) / fmt::format("{}-{}.js", kScriptName, ::getpid());
    // A script of an earlier run that ended without unloading it would send to a name that is gone.
    if (!impl->findKWin(whyNot) || !impl->callScripting("unloadScript", whyNot, "s", kScriptName)) {
        return nullptr;
    }
    // The script's first list comes once KWin runs it, and waits on the connection for the thread.
    std::string ignored;
    if (!impl->writeScript(unique, whyNot)
        || !impl->callScripting("loadScript", whyNot, "ss", impl->scriptFile.c_str(), kScriptName)
        || !impl->callScripting("start", whyNot, "")) {
        impl->callScripting("unloadScript", ignored, "s", kScriptName);
        std::error_code removeError;
        std::filesystem::remove(impl->scriptFile, removeError);
        return nullptr;
    }
    impl->bus->start();
    return std::unique_ptr<KWinWorkspace>(new KWinWorkspace(std::move(impl)));
}

KWinWorkspace::KWinWorkspace(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
}

KWinWorkspace::~KWinWorkspace()
{
    m_impl->bus->stop();
    std::string ignored;
    m_impl->callScripting("unloadScript", ignored, "s", kScriptName);
    std::error_code removeError;
    std::filesystem::remove(m_impl->scriptFile, removeError);
}

FrontmostApplication KWinWorkspace::frontmostApplication() const
{
    return m_impl->tracker.frontmost();
}

std::vector<RunningApplication> KWinWorkspace::runningApplications() const
{
    return m_impl->tracker.running();
}

Subscription KWinWorkspace::subscribeActivation(ActivationHandler handler)
{
    return m_impl->tracker.subscribeActivation(std::move(handler));
}

} // namespace tarn::input
