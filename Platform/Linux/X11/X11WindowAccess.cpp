#include "Platform/Linux/X11/X11WindowAccess.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
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

} // namespace

struct X11WindowAccess::Impl {
    // Calls come from the engine's threads; one at a time keeps the request sequences whole.
    std::mutex mutex;
    std::unique_ptr<X11Display> display;
    xcb_atom_t wmState = XCB_ATOM_NONE;

    bool hasWindowManager() { return display->hasProperty(display->root(), display->ewmh()._NET_SUPPORTING_WM_CHECK); }

    // The window with WM_STATE at or below `window`: the application's window in a frame.
    std::optional<xcb_window_t> clientIn(xcb_window_t window, int depth)
    {
        if (display->hasProperty(window, wmState)) {
            return window;
        }
        if (depth == 0) {
            return std::nullopt;
        }
        auto* connection = display->connection();
        TreeReply tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree) {
            return std::nullopt;
        }
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int index = xcb_query_tree_children_length(tree.get()) - 1; index >= 0; --index) {
            if (const auto client = clientIn(children[index], depth - 1)) {
                return client;
            }
        }
        return std::nullopt;
    }

    bool contains(xcb_window_t window, EventPoint point)
    {
        auto* connection = display->connection();
        const auto attributesCookie = xcb_get_window_attributes(connection, window);
        const auto geometryCookie = xcb_get_geometry(connection, window);
        AttributesReply attributes(xcb_get_window_attributes_reply(connection, attributesCookie, nullptr));
        GeometryReply geometry(xcb_get_geometry_reply(connection, geometryCookie, nullptr));
        if (!attributes || !geometry || attributes->map_state != XCB_MAP_STATE_VIEWABLE
            || attributes->override_redirect != 0 || attributes->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT) {
            return false;
        }
        const double border = 2.0 * geometry->border_width;
        return point.x >= geometry->x && point.y >= geometry->y && point.x < geometry->x + geometry->width + border
            && point.y < geometry->y + geometry->height + border;
    }

    bool isDesktopOrDock(xcb_window_t window)
    {
        const auto& ewmh = display->ewmh();
        const auto types = display->cardinalListProperty(window, ewmh._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM);
        return std::any_of(types.begin(), types.end(), [&](std::uint32_t type) {
            return type == ewmh._NET_WM_WINDOW_TYPE_DESKTOP || type == ewmh._NET_WM_WINDOW_TYPE_DOCK;
        });
    }

    std::optional<WindowRef> windowAt(EventPoint point)
    {
        auto* connection = display->connection();
        TreeReply tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, display->root()), nullptr));
        if (!tree) {
            return std::nullopt;
        }
        const bool managed = hasWindowManager();
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        // Children come bottom first; the topmost one holding the point is the one the user sees.
        for (int index = xcb_query_tree_children_length(tree.get()) - 1; index >= 0; --index) {
            const xcb_window_t child = children[index];
            if (!contains(child, point)) {
                continue;
            }
            // Under a manager, a top-level window without an application inside (a compositor's
            // overlay, the manager's own helpers) is looked through.
            const auto client = managed ? clientIn(child, kClientSearchDepth) : std::optional(child);
            if (!client) {
                continue;
            }
            if (isDesktopOrDock(*client)) {
                return std::nullopt;
            }
            return WindowRef {*client};
        }
        return std::nullopt;
    }

    // The manager's decorations on the left and the top, which a configure request's position
    // includes under the default gravity.
    std::pair<std::int32_t, std::int32_t> frameOffset(xcb_window_t window)
    {
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
        if (display->windowManagerSupports(ewmh._NET_MOVERESIZE_WINDOW)) {
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
            std::vector<std::uint32_t> values;
            std::uint16_t mask = 0;
            if ((which & kMoveX) != 0) {
                const auto [left, top] = frameOffset(window);
                mask |= XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y;
                values.push_back(static_cast<std::uint32_t>(x - left));
                values.push_back(static_cast<std::uint32_t>(y - top));
            }
            if ((which & kResizeWidth) != 0) {
                mask |= XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT;
                values.push_back(width);
                values.push_back(height);
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
    auto* connection = m_impl->display->connection();
    const auto id = static_cast<xcb_window_t>(window.id);
    const auto geometryCookie = xcb_get_geometry(connection, id);
    const auto originCookie = xcb_translate_coordinates(connection, id, m_impl->display->root(), 0, 0);
    GeometryReply geometry(xcb_get_geometry_reply(connection, geometryCookie, nullptr));
    TranslateReply origin(xcb_translate_coordinates_reply(connection, originCookie, nullptr));
    if (!geometry || !origin) {
        return std::nullopt;
    }
    return WindowFrame {{static_cast<double>(origin->dst_x), static_cast<double>(origin->dst_y)},
        {static_cast<double>(geometry->width), static_cast<double>(geometry->height)}};
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
