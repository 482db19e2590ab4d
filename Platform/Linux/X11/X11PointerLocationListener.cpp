#include "Platform/Linux/X11/X11PointerLocationListener.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <thread>

#include <fmt/format.h>
#include <xcb/xinput.h>

#include "Platform/Linux/Desktop/DesktopSession.h"
#include "Platform/Linux/X11/X11Display.h"
#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tarn::input {

namespace {

using Event = CHandle<xcb_generic_event_t, std::free>;
using PointerReply = CHandle<xcb_query_pointer_reply_t, std::free>;
using VersionReply = CHandle<xcb_input_xi_query_version_reply_t, std::free>;
using Error = CHandle<xcb_generic_error_t, std::free>;

} // namespace

struct X11PointerLocationListener::Impl {
    explicit Impl(PointerLocationCache& target)
        : cache(target)
    {
    }

    PointerLocationCache& cache;
    std::unique_ptr<X11Display> display;
    std::uint8_t inputOpcode = 0;
    UniqueFd wake;
    std::atomic<bool> stopping {false};
    // Declared last: it reads the members above until it is joined.
    std::thread listener;

    // XInput 2.0 or later, with raw motion selected on the root for every master pointer. Raw
    // motion comes from devices only; a pointer warped by a program is seen through the root's
    // own motion events while nothing else lies under the pointer, else at the next movement.
    bool selectRawMotion()
    {
        auto* connection = display->connection();
        const auto* extension = xcb_get_extension_data(connection, &xcb_input_id);
        if (extension == nullptr || extension->present == 0) {
            return false;
        }
        inputOpcode = extension->major_opcode;
        VersionReply version(
            xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 0), nullptr));
        if (!version || version->major_version < 2) {
            return false;
        }
        struct {
            xcb_input_event_mask_t head;
            std::uint32_t mask;
        } selection {
            {XCB_INPUT_DEVICE_ALL_MASTER, 1}, XCB_INPUT_XI_EVENT_MASK_RAW_MOTION | XCB_INPUT_XI_EVENT_MASK_MOTION};
        Error error(xcb_request_check(
            connection, xcb_input_xi_select_events_checked(connection, display->root(), 1, &selection.head)));
        return !error;
    }

    bool storeCurrentLocation()
    {
        auto* connection = display->connection();
        PointerReply pointer(
            xcb_query_pointer_reply(connection, xcb_query_pointer(connection, display->root()), nullptr));
        if (!pointer) {
            return false;
        }
        cache.store({static_cast<double>(pointer->root_x), static_cast<double>(pointer->root_y)});
        return true;
    }

    bool drainMotion()
    {
        bool moved = false;
        while (Event event {xcb_poll_for_event(display->connection())}) {
            if ((event->response_type & ~0x80) == XCB_GE_GENERIC) {
                const auto& generic = reinterpret_cast<const xcb_ge_generic_event_t&>(*event);
                moved = moved
                    || (generic.extension == inputOpcode
                        && (generic.event_type == XCB_INPUT_RAW_MOTION || generic.event_type == XCB_INPUT_MOTION));
            }
        }
        return moved;
    }

    void run()
    {
        std::array<pollfd, 2> fds {
            {{xcb_get_file_descriptor(display->connection()), POLLIN, 0}, {wake.get(), POLLIN, 0}}};
        while (!stopping.load()) {
            if (drainMotion()) {
                // One question per burst; its reply may have pulled more motion into xcb's queue,
                // which poll() would not see, so the queue is drained again first.
                storeCurrentLocation();
                continue;
            }
            if (!display->isConnected()) {
                break;
            }
            if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) {
                break;
            }
        }
        cache.setFollowedByDisplayServer(false);
    }
};

X11PointerLocationListener::X11PointerLocationListener(
    PointerLocationCache& cache, LogSink& log, const EnvironmentLookup& environment)
    : m_impl(std::make_unique<Impl>(cache))
{
    std::string reason;
    m_impl->display = X11Display::connect(DesktopSession::fromEnvironment(environment), reason);
    m_impl->wake = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (m_impl->display && m_impl->wake && !m_impl->selectRawMotion()) {
        m_impl->display.reset();
        reason = "no XInput2";
    }
    if (!m_impl->display || !m_impl->wake || !m_impl->storeCurrentLocation()) {
        m_impl->display.reset();
        log.log(TarnLogLevel::warn, "platform",
            fmt::format("Pointer location not followed from the display server ({})", reason));
        return;
    }
    cache.setFollowedByDisplayServer(true);
    m_impl->listener = std::thread([impl = m_impl.get()] { impl->run(); });
}

X11PointerLocationListener::~X11PointerLocationListener()
{
    if (m_impl->listener.joinable()) {
        m_impl->stopping = true;
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_impl->wake.get(), &one, sizeof one);
        m_impl->listener.join();
    }
}

bool X11PointerLocationListener::isListening() const
{
    return m_impl->listener.joinable() && m_impl->cache.isFollowedByDisplayServer();
}

} // namespace tarn::input
