#include "Platform/Linux/Wayland/GnomeShellWorkspace.h"

#include <atomic>

#include <fmt/format.h>

#include "Platform/Linux/Wayland/DesktopWindowJson.h"
#include "Platform/Linux/Wayland/SessionBusThread.h"
#include "Platform/Linux/Wayland/WindowListTracker.h"

namespace tarn::input {

namespace {

constexpr const char* kGetWindows = "GetWindows";
constexpr const char* kWindowsChanged = "WindowsChanged";

} // namespace

struct GnomeShellWorkspace::Impl {
    explicit Impl(const EnvironmentLookup& environment)
        : tracker(environment)
    {
    }

    WindowListTracker tracker;
    std::atomic<bool> extensionPresent {false};
    std::unique_ptr<SessionBusThread> bus;
    SdBusSlot changedMatch;
    SdBusSlot ownerMatch;
    SdBusSlot pendingCall;

    void follow(const std::vector<DesktopWindow>& windows)
    {
        if (const auto settleAt = tracker.update(windows)) {
            bus->callAt(*settleAt, [this] { tracker.settle(); });
        }
    }

    void readList(sd_bus_message* message)
    {
        const char* text = nullptr;
        if (sd_bus_message_read(message, "s", &text) >= 0) {
            follow(DesktopWindowJson::parseList(text));
        }
    }

    static int onWindowsChanged(sd_bus_message* message, void* data, sd_bus_error*)
    {
        static_cast<Impl*>(data)->readList(message);
        return 0;
    }

    static int onReply(sd_bus_message* message, void* data, sd_bus_error*)
    {
        auto& impl = *static_cast<Impl*>(data);
        if (sd_bus_message_is_method_error(message, nullptr) == 0) {
            impl.readList(message);
        }
        return 0;
    }

    void askForWindows()
    {
        sd_bus_slot* slot = nullptr;
        sd_bus_call_method_async(bus->bus(), &slot, kBusName, kPath, kInterface, kGetWindows, &Impl::onReply, this, "");
        pendingCall.reset(slot);
    }

    // The extension arrives when it is enabled or the shell has restarted; when it leaves, what
    // it said last no longer holds.
    static int onOwnerChanged(sd_bus_message* message, void* data, sd_bus_error*)
    {
        auto& impl = *static_cast<Impl*>(data);
        const char* name = nullptr;
        const char* oldOwner = nullptr;
        const char* newOwner = nullptr;
        if (sd_bus_message_read(message, "sss", &name, &oldOwner, &newOwner) < 0) {
            return 0;
        }
        impl.extensionPresent = newOwner[0] != '\0';
        if (impl.extensionPresent) {
            impl.askForWindows();
        } else {
            impl.follow({});
        }
        return 0;
    }
};

std::unique_ptr<GnomeShellWorkspace> GnomeShellWorkspace::connect(
    LogSink& log, const EnvironmentLookup& environment, std::string& whyNot)
{
    auto impl = std::make_unique<Impl>(environment);
    impl->bus = SessionBusThread::open(whyNot);
    if (!impl->bus) {
        return nullptr;
    }
    sd_bus* bus = impl->bus->bus();
    sd_bus_slot* slot = nullptr;
    if (sd_bus_match_signal(
            bus, &slot, kBusName, kPath, kInterface, kWindowsChanged, &Impl::onWindowsChanged, impl.get())
        < 0) {
        whyNot = "cannot listen on the session bus";
        return nullptr;
    }
    impl->changedMatch.reset(slot);
    const std::string ownerRule = fmt::format("type='signal',sender='org.freedesktop.DBus',"
                                              "interface='org.freedesktop.DBus',member='NameOwnerChanged',arg0='{}'",
        kBusName);
    if (sd_bus_add_match(bus, &slot, ownerRule.c_str(), &Impl::onOwnerChanged, impl.get()) < 0) {
        whyNot = "cannot listen on the session bus";
        return nullptr;
    }
    impl->ownerMatch.reset(slot);

    // Read once here, so that the first answer is there when the engine starts.
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    if (sd_bus_call_method(bus, kBusName, kPath, kInterface, kGetWindows, &error, &reply, "") >= 0) {
        impl->extensionPresent = true;
        impl->readList(reply);
        sd_bus_message_unref(reply);
    } else {
        log.log(TarnLogLevel::warn, "platform",
            fmt::format("Frontmost application unknown until the GNOME Shell extension {} is enabled "
                        "(gnome-extensions enable {}; then log out and in): {}",
                kExtensionUUID, kExtensionUUID, error.message != nullptr ? error.message : "no answer"));
    }
    sd_bus_error_free(&error);
    impl->bus->start();
    return std::unique_ptr<GnomeShellWorkspace>(new GnomeShellWorkspace(std::move(impl)));
}

GnomeShellWorkspace::GnomeShellWorkspace(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
}

GnomeShellWorkspace::~GnomeShellWorkspace()
{
    // The slots go with the state, before the connection (declared before them).
    m_impl->bus->stop();
}

FrontmostApplication GnomeShellWorkspace::frontmostApplication() const
{
    return m_impl->tracker.frontmost();
}

std::vector<RunningApplication> GnomeShellWorkspace::runningApplications() const
{
    return m_impl->tracker.running();
}

std::optional<WorkspaceLimitation> GnomeShellWorkspace::limitation() const
{
    if (!m_impl->extensionPresent) {
        return WorkspaceLimitation::shellExtensionMissing;
    }
    return std::nullopt;
}

Subscription GnomeShellWorkspace::subscribeActivation(ActivationHandler handler)
{
    return m_impl->tracker.subscribeActivation(std::move(handler));
}

} // namespace tarn::input
