#include "Platform/Linux/X11/X11WindowAccess.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "Platform/Linux/Desktop/DesktopSession.h"
#include "Platform/Linux/X11/X11Display.h"
#include "TarnKit/Foundation/Files/CHandle.h"

namespace tarn::input {

namespace {

using TreeReply = CHandle<xcb_query_tree_reply_t, std::free>;
using AttributesReply = CHandle<xcb_get_window_attributes_reply_t, std::free>;
using GeometryReply = CHandle<xcb_get_geometry_reply_t, std::free>;
using TranslateReply = CHandle<xcb_translate_coordinates_reply_t, std::free>;

// How deep below a manager's frame the application's window is looked for.
constexpr int kClientSearchDepth = 3;

// _NET_MOVERESIZE_WINDOW flags: static gravity (the position is the window's own top-left, not
// the frame's), which values are given, and "from a pager", which managers always honour.
constexpr std::uint32_t kStaticGravity = 10;
constexpr std::uint32_t kMoveX = 1U << 8;
constexpr std::uint32_t kMoveY = 1U << 9;
constexpr std::uint32_t kResizeWidth = 1U << 10;
constexpr std::uint32_t kResizeHeight = 1U << 11;
constexpr std::uint32_t kFromPager = 2U << 12;

// X coordinates are 16-bit; sizes at least one pixel.
std::int32_t coordinate(double value)
{
    return std::isfinite(value) ? static_cast<std::int32_t>(std::clamp(std::round(value), -32768.0, 32767.0)) : 0;
}
std::uint32_t extent(double value)
{
    return std::isfinite(value) ? static_cast<std::uint32_t>(std::clamp(std::round(value), 1.0, 32767.0)) : 1;
}

// Whether a top-level window shows at the point: mapped, managed (not an override-redirect
// menu or tooltip) and able to draw.
bool contains(
    const xcb_get_window_attributes_reply_t* attributes, const xcb_get_geometry_reply_t* geometry, EventPoint point)
{
    if (attributes == nullptr || geometry == nullptr || attributes->map_state != XCB_MAP_STATE_VIEWABLE
        || attributes->override_redirect != 0 || attributes->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT) {
        return false;
    }
    const double border = 2.0 * geometry->border_width;
    return point.x >= geometry->x && point.y >= geometry->y && point.x < geometry->x + geometry->width + border
        && point.y < geometry->y + geometry->height + border;
}

} // namespace

// Every lookup asks the server in a few round trips, each holding every request whose answer is
// needed next (all top-level windows' places at once, one level of the window tree at once), and
// takes with it what the drag it starts will need: whether the manager takes
// _NET_MOVERESIZE_WINDOW, the window's frame and its decorations. The moves of that drag are then
// sent without waiting for anything.
struct X11WindowAccess::Impl {
    // What the last lookup read about the window it found.
    struct Found {
        xcb_window_t window = XCB_NONE;
        std::optional<WindowFrame> frame;
        bool frameHandedOut = false;
        // The manager's decorations on the left and the top, which a configure request's
        // position includes under the default gravity.
        std::pair<std::int32_t, std::int32_t> decorations {0, 0};
    };

    // Calls come from the engine's threads; one at a time keeps the request sequences whole.
    std::mutex mutex;
    std::unique_ptr<X11Display> display;
    xcb_atom_t wmState = XCB_ATOM_NONE;
    // Read by every lookup; asked by a move only when no lookup came first.
    std::optional<bool> moveResizeSupported;
    std::optional<Found> found;

    // The application's window at or below `top` (inside the manager's frame), nearest first and
    // topmost first on one level. An application's window is one the manager lists in
    // `clients`, or, from a manager that keeps no list, one with WM_STATE. One round trip a level.
    std::optional<xcb_window_t> clientIn(xcb_window_t top, int depth, const std::vector<std::uint32_t>& clients)
    {
        auto* connection = display->connection();
        std::vector<xcb_window_t> level {top};
        for (int below = depth;; --below) {
            if (const auto client = listedClientOf(level, clients)) {
                return client;
            }
            if (below == 0 || level.empty()) {
                return std::nullopt;
            }
            std::vector<xcb_query_tree_cookie_t> trees;
            trees.reserve(level.size());
            for (const xcb_window_t window : level) {
                trees.push_back(xcb_query_tree(connection, window));
            }
            level.clear();
            for (const auto tree : trees) {
                const TreeReply children(xcb_query_tree_reply(connection, tree, nullptr));
                if (children) {
                    const xcb_window_t* first = xcb_query_tree_children(children.get());
                    // Children come bottom first.
                    level.insert(level.end(),
                        std::make_reverse_iterator(first + xcb_query_tree_children_length(children.get())),
                        std::make_reverse_iterator(first));
                }
            }
        }
    }

    std::optional<xcb_window_t> listedClientOf(
        const std::vector<xcb_window_t>& level, const std::vector<std::uint32_t>& clients)
    {
        if (!clients.empty()) {
            const auto listed = std::find_first_of(level.begin(), level.end(), clients.begin(), clients.end());
            return listed == level.end() ? std::nullopt : std::optional(*listed);
        }
        std::vector<xcb_get_property_cookie_t> states;
        states.reserve(level.size());
        for (const xcb_window_t window : level) {
            states.push_back(display->requestPresence(window, wmState));
        }
        std::optional<xcb_window_t> client;
        for (std::size_t index = 0; index < states.size(); ++index) {
            if (display->presenceAnswer(states[index]) && !client) {
                client = level[index];
            }
        }
        return client;
    }

    // The top-level windows that hold the point, topmost first, read in one round trip.
    std::vector<xcb_window_t> topLevelsAt(const xcb_query_tree_reply_t& tree, EventPoint point)
    {
        auto* connection = display->connection();
        const xcb_window_t* children = xcb_query_tree_children(&tree);
        const int count = xcb_query_tree_children_length(&tree);
        std::vector<std::pair<xcb_get_window_attributes_cookie_t, xcb_get_geometry_cookie_t>> requests;
        requests.reserve(static_cast<std::size_t>(count));
        for (int index = 0; index < count; ++index) {
            requests.emplace_back(
                xcb_get_window_attributes(connection, children[index]), xcb_get_geometry(connection, children[index]));
        }
        std::vector<xcb_window_t> holding;
        for (int index = count - 1; index >= 0; --index) {
            const auto& [attributesRequest, geometryRequest] = requests[static_cast<std::size_t>(index)];
            const AttributesReply attributes(xcb_get_window_attributes_reply(connection, attributesRequest, nullptr));
            const GeometryReply geometry(xcb_get_geometry_reply(connection, geometryRequest, nullptr));
            if (contains(attributes.get(), geometry.get(), point)) {
                holding.push_back(children[index]);
            }
        }
        return holding;
    }

    static WindowFrame frameOf(
        const xcb_get_geometry_reply_t& geometry, const xcb_translate_coordinates_reply_t& origin)
    {
        return WindowFrame {{static_cast<double>(origin.dst_x), static_cast<double>(origin.dst_y)},
            {static_cast<double>(geometry.width), static_cast<double>(geometry.height)}};
    }

    // The window's type, frame and decorations, in one round trip. None for the desktop or a dock.
    std::optional<Found> readFound(xcb_window_t window)
    {
        auto* connection = display->connection();
        auto& ewmh = display->ewmh();
        const auto typeRequest = display->requestList(window, ewmh._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM);
        const auto extentsRequest = display->requestList(window, ewmh._NET_FRAME_EXTENTS, XCB_ATOM_CARDINAL);
        const auto geometryRequest = xcb_get_geometry(connection, window);
        const auto originRequest = xcb_translate_coordinates(connection, window, display->root(), 0, 0);
        const auto types = display->listAnswer(typeRequest, XCB_ATOM_ATOM);
        const auto extents = display->listAnswer(extentsRequest, XCB_ATOM_CARDINAL);
        const GeometryReply geometry(xcb_get_geometry_reply(connection, geometryRequest, nullptr));
        const TranslateReply origin(xcb_translate_coordinates_reply(connection, originRequest, nullptr));
        const bool desktopOrDock = std::any_of(types.begin(), types.end(), [&](std::uint32_t type) {
            return type == ewmh._NET_WM_WINDOW_TYPE_DESKTOP || type == ewmh._NET_WM_WINDOW_TYPE_DOCK;
        });
        if (desktopOrDock) {
            return std::nullopt;
        }
        Found result;
        result.window = window;
        if (geometry && origin) {
            result.frame = frameOf(*geometry, *origin);
        }
        if (extents.size() == 4) {
            result.decorations = {static_cast<std::int32_t>(extents[0]), static_cast<std::int32_t>(extents[2])};
        }
        return result;
    }

    std::optional<WindowRef> windowAt(EventPoint point)
    {
        auto* connection = display->connection();
        auto& ewmh = display->ewmh();
        found.reset();
        const auto treeRequest = xcb_query_tree(connection, display->root());
        const auto managerRequest = display->requestPresence(display->root(), ewmh._NET_SUPPORTING_WM_CHECK);
        const auto supportedRequest = display->requestList(display->root(), ewmh._NET_SUPPORTED, XCB_ATOM_ATOM);
        const auto clientsRequest = display->requestList(display->root(), ewmh._NET_CLIENT_LIST, XCB_ATOM_WINDOW);
        const TreeReply tree(xcb_query_tree_reply(connection, treeRequest, nullptr));
        const bool managed = display->presenceAnswer(managerRequest);
        const auto supported = display->listAnswer(supportedRequest, XCB_ATOM_ATOM);
        const auto clients = display->listAnswer(clientsRequest, XCB_ATOM_WINDOW);
        moveResizeSupported
            = std::find(supported.begin(), supported.end(), ewmh._NET_MOVERESIZE_WINDOW) != supported.end();
        if (!tree) {
            return std::nullopt;
        }
        for (const xcb_window_t topLevel : topLevelsAt(*tree, point)) {
            // Under a manager, a top-level window without an application inside (a compositor's
            // overlay, the manager's own helpers) is looked through.
            const auto client = managed ? clientIn(topLevel, kClientSearchDepth, clients) : std::optional(topLevel);
            if (!client) {
                continue;
            }
            found = readFound(*client);
            return found ? std::optional(WindowRef {found->window}) : std::nullopt;
        }
        return std::nullopt;
    }

    std::optional<WindowFrame> frame(xcb_window_t window)
    {
        // The frame the drag starts from was read with the lookup that found the window.
        if (found && found->window == window && !found->frameHandedOut) {
            found->frameHandedOut = true;
            return found->frame;
        }
        auto* connection = display->connection();
        const auto geometryRequest = xcb_get_geometry(connection, window);
        const auto originRequest = xcb_translate_coordinates(connection, window, display->root(), 0, 0);
        const GeometryReply geometry(xcb_get_geometry_reply(connection, geometryRequest, nullptr));
        const TranslateReply origin(xcb_translate_coordinates_reply(connection, originRequest, nullptr));
        if (!geometry || !origin) {
            return std::nullopt;
        }
        return frameOf(*geometry, *origin);
    }

    std::pair<std::int32_t, std::int32_t> decorations(xcb_window_t window)
    {
        if (found && found->window == window) {
            return found->decorations;
        }
        const auto extents
            = display->cardinalListProperty(window, display->ewmh()._NET_FRAME_EXTENTS, XCB_ATOM_CARDINAL);
        if (extents.size() != 4) {
            return {0, 0};
        }
        return {static_cast<std::int32_t>(extents[0]), static_cast<std::int32_t>(extents[2])};
    }

    bool moveResize(xcb_window_t window, std::uint32_t which, std::int32_t x, std::int32_t y, std::uint32_t width,
        std::uint32_t height)
    {
        auto* connection = display->connection();
        auto& ewmh = display->ewmh();
        if (!moveResizeSupported) {
            moveResizeSupported = display->windowManagerSupports(ewmh._NET_MOVERESIZE_WINDOW);
        }
        if (*moveResizeSupported) {
            xcb_client_message_event_t message {};
            message.response_type = XCB_CLIENT_MESSAGE;
            message.format = 32;
            message.window = window;
            message.type = ewmh._NET_MOVERESIZE_WINDOW;
            message.data.data32[0] = kStaticGravity | which | kFromPager;
            message.data.data32[1] = static_cast<std::uint32_t>(x);
            message.data.data32[2] = static_cast<std::uint32_t>(y);
            message.data.data32[3] = width;
            message.data.data32[4] = height;
            xcb_send_event(connection, 0, display->root(),
                XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                reinterpret_cast<const char*>(&message));
        } else {
            std::array<std::uint32_t, 4> values {};
            std::size_t count = 0;
            std::uint16_t mask = 0;
            if ((which & kMoveX) != 0) {
                const auto [left, top] = decorations(window);
                mask |= XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y;
                values[count++] = static_cast<std::uint32_t>(x - left);
                values[count++] = static_cast<std::uint32_t>(y - top);
            }
            if ((which & kResizeWidth) != 0) {
                mask |= XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT;
                values[count++] = width;
                values[count++] = height;
            }
            xcb_configure_window(connection, window, mask, values.data());
        }
        return xcb_flush(connection) > 0 && display->isConnected();
    }
};

X11WindowAccess::X11WindowAccess(LogSink& log, const EnvironmentLookup& environment)
    : m_impl(std::make_unique<Impl>())
{
    std::string whyNot;
    m_impl->display = X11Display::connect(DesktopSession::fromEnvironment(environment), whyNot);
    if (!m_impl->display) {
        log.log(TarnLogLevel::warn, "platform", fmt::format("Window drag not available ({})", whyNot));
        return;
    }
    m_impl->wmState = m_impl->display->atom("WM_STATE");
}

X11WindowAccess::~X11WindowAccess() = default;

bool X11WindowAccess::isConnected() const
{
    return m_impl->display && m_impl->display->isConnected();
}

std::optional<WindowRef> X11WindowAccess::windowAt(EventPoint point)
{
    if (!m_impl->display) {
        return std::nullopt;
    }
    std::lock_guard lock(m_impl->mutex);
    return m_impl->windowAt(point);
}

std::optional<WindowFrame> X11WindowAccess::frame(WindowRef window)
{
    if (!m_impl->display || window.id == XCB_NONE) {
        return std::nullopt;
    }
    std::lock_guard lock(m_impl->mutex);
    return m_impl->frame(static_cast<xcb_window_t>(window.id));
}

bool X11WindowAccess::setPosition(WindowRef window, EventPoint origin)
{
    if (!m_impl->display || window.id == XCB_NONE) {
        return false;
    }
    std::lock_guard lock(m_impl->mutex);
    return m_impl->moveResize(
        static_cast<xcb_window_t>(window.id), kMoveX | kMoveY, coordinate(origin.x), coordinate(origin.y), 0, 0);
}

bool X11WindowAccess::setSize(WindowRef window, WindowSize size)
{
    if (!m_impl->display || window.id == XCB_NONE) {
        return false;
    }
    std::lock_guard lock(m_impl->mutex);
    return m_impl->moveResize(static_cast<xcb_window_t>(window.id), kResizeWidth | kResizeHeight, 0, 0,
        extent(size.width), extent(size.height));
}

} // namespace tarn::input
