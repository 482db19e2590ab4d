#include "Platform/Linux/X11/X11OverlayWindowManager.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <xcb/xcb.h>

#include "TarnKit/Foundation/Files/CHandle.h"

namespace tarn::input {

namespace {

using Connection = CHandle<xcb_connection_t, xcb_disconnect>;
using AtomReply = CHandle<xcb_intern_atom_reply_t, std::free>;
using PropertyReply = CHandle<xcb_get_property_reply_t, std::free>;
using OwnerReply = CHandle<xcb_get_selection_owner_reply_t, std::free>;

constexpr std::uint32_t kAllDesktops = 0xFFFFFFFF;

xcb_atom_t internAtom(xcb_connection_t* connection, std::string_view name)
{
    const AtomReply reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : xcb_atom_t {XCB_ATOM_NONE};
}

} // namespace

struct X11OverlayWindowManager::Impl {
    // Set when the connection is the manager's own.
    Connection ownConnection;
    xcb_connection_t* connection = nullptr;
    xcb_atom_t compositorSelection = XCB_ATOM_NONE;
    xcb_atom_t wmState = XCB_ATOM_NONE;
    xcb_atom_t wmDesktop = XCB_ATOM_NONE;
    // The states every overlay carries besides Qt's own.
    std::array<xcb_atom_t, 3> overlayStates {};

    bool connected() const { return connection != nullptr && xcb_connection_has_error(connection) == 0; }

    void internAtoms(int screen)
    {
        compositorSelection = internAtom(connection, "_NET_WM_CM_S" + std::to_string(screen));
        wmState = internAtom(connection, "_NET_WM_STATE");
        wmDesktop = internAtom(connection, "_NET_WM_DESKTOP");
        overlayStates = {internAtom(connection, "_NET_WM_STATE_STICKY"),
            internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"), internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    }

    std::vector<xcb_atom_t> currentStates(xcb_window_t window) const
    {
        const PropertyReply reply(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, wmState, XCB_ATOM_ATOM, 0, 64), nullptr));
        if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM) {
            return {};
        }
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        return {atoms, atoms + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t)};
    }
};

X11OverlayWindowManager::X11OverlayWindowManager(const std::string& displayName)
    : m_impl(std::make_unique<Impl>())
{
    int screen = 0;
    m_impl->ownConnection.reset(xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), &screen));
    m_impl->connection = m_impl->ownConnection.get();
    if (m_impl->connected()) {
        m_impl->internAtoms(screen);
    }
}

X11OverlayWindowManager::X11OverlayWindowManager(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
}

std::unique_ptr<X11OverlayWindowManager> X11OverlayWindowManager::sharingConnection(void* xcbConnection)
{
    auto impl = std::make_unique<Impl>();
    impl->connection = static_cast<xcb_connection_t*>(xcbConnection);
    if (impl->connected()) {
        // A shared connection does not say which screen it prefers; overlays live on the first.
        impl->internAtoms(0);
    }
    return std::unique_ptr<X11OverlayWindowManager>(new X11OverlayWindowManager(std::move(impl)));
}

X11OverlayWindowManager::~X11OverlayWindowManager() = default;

bool X11OverlayWindowManager::isConnected() const
{
    return m_impl->connected();
}

bool X11OverlayWindowManager::isCompositing() const
{
    if (!m_impl->connected()) {
        return true;
    }
    xcb_connection_t* connection = m_impl->connection;
    const OwnerReply reply(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, m_impl->compositorSelection), nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}

void X11OverlayWindowManager::prepareToShow(std::uint64_t nativeWindow)
{
    if (!m_impl->connected() || nativeWindow == 0) {
        return;
    }
    xcb_connection_t* connection = m_impl->connection;
    const auto window = static_cast<xcb_window_t>(nativeWindow);

    std::vector<xcb_atom_t> states = m_impl->currentStates(window);
    for (const xcb_atom_t state : m_impl->overlayStates) {
        if (std::find(states.begin(), states.end(), state) == states.end()) {
            states.push_back(state);
        }
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, m_impl->wmState, XCB_ATOM_ATOM, 32,
        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_change_property(
        connection, XCB_PROP_MODE_REPLACE, window, m_impl->wmDesktop, XCB_ATOM_CARDINAL, 32, 1, &kAllDesktops);
    xcb_flush(connection);
}

} // namespace tarn::input
