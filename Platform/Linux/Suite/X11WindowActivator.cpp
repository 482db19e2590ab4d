#include "Platform/Linux/Suite/X11WindowActivator.h"

#include "Platform/Linux/Desktop/DesktopSession.h"
#include "Platform/Linux/X11/X11Display.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

// WM_CLASS is the instance and the class, each ended by a NUL.
bool classMatches(const std::string& wmClass, const std::vector<std::string>& lowercasedNames)
{
    std::size_t start = 0;
    while (start < wmClass.size()) {
        const auto end = wmClass.find('\0', start);
        const std::string part = UnicodeText::lowercased(wmClass.substr(start, end - start));
        for (const auto& name : lowercasedNames) {
            if (!part.empty() && part == name) {
                return true;
            }
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

std::unique_ptr<X11WindowActivator> X11WindowActivator::connect(const EnvironmentLookup& environment)
{
    std::string whyNot;
    auto display = input::X11Display::connect(input::DesktopSession::fromEnvironment(environment), whyNot);
    if (!display) {
        return nullptr;
    }
    return std::unique_ptr<X11WindowActivator>(new X11WindowActivator(std::move(display)));
}

X11WindowActivator::X11WindowActivator(std::unique_ptr<input::X11Display> display)
    : m_display(std::move(display))
{
}

X11WindowActivator::~X11WindowActivator() = default;

bool X11WindowActivator::activate(std::optional<std::int32_t> process, const std::vector<std::string>& classNames)
{
    std::lock_guard lock(m_mutex);
    auto& display = *m_display;
    auto& ewmh = display.ewmh();
    std::vector<std::string> names;
    for (const auto& name : classNames) {
        names.push_back(UnicodeText::lowercased(name));
    }
    const auto clients = display.cardinalListProperty(display.root(), ewmh._NET_CLIENT_LIST, XCB_ATOM_WINDOW);
    std::optional<xcb_window_t> byClass;
    std::optional<xcb_window_t> chosen;
    for (const xcb_window_t window : clients) {
        const auto pid = display.cardinalListProperty(window, ewmh._NET_WM_PID, XCB_ATOM_CARDINAL);
        if (process && !pid.empty() && static_cast<std::int64_t>(pid.front()) == *process) {
            chosen = window;
            break;
        }
        if (!byClass && classMatches(display.textProperty(window, XCB_ATOM_WM_CLASS), names)) {
            byClass = window;
        }
    }
    if (!chosen) {
        chosen = byClass;
    }
    if (!chosen) {
        return false;
    }
    xcb_ewmh_request_change_active_window(
        &ewmh, display.screenNumber(), *chosen, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME, XCB_NONE);
    xcb_flush(display.connection());
    return true;
}

} // namespace tarn
