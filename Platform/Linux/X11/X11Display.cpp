#include "Platform/Linux/X11/X11Display.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "TarnKit/Foundation/Files/CHandle.h"

namespace tarn::input {

namespace {

using PropertyReply = CHandle<xcb_get_property_reply_t, std::free>;
using AtomReply = CHandle<xcb_intern_atom_reply_t, std::free>;

constexpr std::uint32_t kTextLengthInWords = 1024;
constexpr std::uint32_t kListLength = 4096;

} // namespace

std::unique_ptr<X11Display> X11Display::connect(const std::string& displayName)
{
    std::unique_ptr<X11Display> display(new X11Display());
    display->m_connection = xcb_connect(displayName.c_str(), &display->m_screenNumber);
    if (xcb_connection_has_error(display->m_connection) != 0) {
        return nullptr;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(display->m_connection));
    for (int index = 0; index < display->m_screenNumber && screens.rem > 0; ++index) {
        xcb_screen_next(&screens);
    }
    if (screens.rem == 0) {
        return nullptr;
    }
    display->m_root = screens.data->root;
    display->m_ewmhReady = xcb_ewmh_init_atoms_replies(
                               &display->m_ewmh, xcb_ewmh_init_atoms(display->m_connection, &display->m_ewmh), nullptr)
        != 0;
    if (!display->m_ewmhReady) {
        return nullptr;
    }
    return display;
}

std::unique_ptr<X11Display> X11Display::connect(const DesktopSession& session, std::string& whyNot)
{
    if (!session.display) {
        whyNot = session.unavailableReason;
        return nullptr;
    }
    auto display = connect(*session.display);
    if (!display) {
        whyNot = "X11 display unreachable";
    }
    return display;
}

X11Display::~X11Display()
{
    if (m_ewmhReady) {
        xcb_ewmh_connection_wipe(&m_ewmh);
    }
    if (m_connection != nullptr) {
        xcb_disconnect(m_connection);
    }
}

bool X11Display::isConnected() const
{
    return xcb_connection_has_error(m_connection) == 0;
}

xcb_atom_t X11Display::atom(const char* name)
{
    AtomReply reply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string X11Display::textProperty(xcb_window_t window, xcb_atom_t property)
{
    PropertyReply reply(xcb_get_property_reply(m_connection,
        xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, kTextLengthInWords),
        nullptr));
    if (!reply || reply->format != 8) {
        return {};
    }
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    std::string text(bytes, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    // Some clients end the text with a NUL; WM_CLASS holds two NUL-separated parts and is read
    // as it stands.
    while (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    return text;
}

std::vector<std::uint32_t> X11Display::cardinalListProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    return listAnswer(requestList(window, property, type), type);
}

bool X11Display::hasProperty(xcb_window_t window, xcb_atom_t property)
{
    return presenceAnswer(requestPresence(window, property));
}

xcb_get_property_cookie_t X11Display::requestList(xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    return xcb_get_property(m_connection, 0, window, property, type, 0, kListLength);
}

std::vector<std::uint32_t> X11Display::listAnswer(xcb_get_property_cookie_t request, xcb_atom_t type)
{
    PropertyReply reply(xcb_get_property_reply(m_connection, request, nullptr));
    if (!reply || reply->format != 32 || reply->type != type) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

xcb_get_property_cookie_t X11Display::requestPresence(xcb_window_t window, xcb_atom_t property)
{
    return xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 0);
}

bool X11Display::presenceAnswer(xcb_get_property_cookie_t request)
{
    PropertyReply reply(xcb_get_property_reply(m_connection, request, nullptr));
    return reply && reply->type != XCB_ATOM_NONE;
}

bool X11Display::windowManagerSupports(xcb_atom_t atom)
{
    const auto supported = cardinalListProperty(m_root, m_ewmh._NET_SUPPORTED, XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), atom) != supported.end();
}

} // namespace tarn::input
