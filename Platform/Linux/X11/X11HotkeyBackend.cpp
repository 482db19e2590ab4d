#include "Platform/Linux/X11/X11HotkeyBackend.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include "Platform/Linux/X11/X11HotkeyKeymap.h"
#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tarn {
namespace {

using Connection = CHandle<xcb_connection_t, xcb_disconnect>;
using KeySymbols = CHandle<xcb_key_symbols_t, xcb_key_symbols_free>;
using Error = CHandle<xcb_generic_error_t, std::free>;
using Event = CHandle<xcb_generic_event_t, std::free>;
using KeyCodes = CHandle<xcb_keycode_t, std::free>;

// Caps Lock is always Lock; Num Lock is Mod2 on every common layout. A grab names exact
// modifiers, so each chord is grabbed with and without them.
constexpr std::array<std::uint16_t, 4> kLockVariants {
    0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr std::uint16_t kIgnoredModifiers = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;
constexpr std::uint16_t kKeyModifiers = 0xFF; // the rest of the state holds mouse buttons

struct Registration {
    TarnHotkeyDescriptor descriptor;
    std::uint32_t keysym;
    std::uint16_t modifiers;
    std::vector<xcb_keycode_t> keycodes; // empty while the layout has no key for the keysym
};

} // namespace

struct X11HotkeyBackend::Impl {
    Connection connection;
    xcb_window_t root = XCB_NONE;
    UniqueFd wake;
    std::atomic<bool> stopping {false};

    // Guards the registrations and the key symbols, which the caller's thread and the event
    // thread both use.
    std::mutex stateMutex;
    KeySymbols symbols;
    std::map<std::uint32_t, Registration> registrations;

    // Held while the handler runs, so that replacing or removing it waits for a call in progress.
    std::mutex handlerMutex;
    PressHandler handler;

    // Declared last: it reads the members above until it is joined.
    std::thread eventThread;

    bool connected() const { return connection && xcb_connection_has_error(connection.get()) == 0; }

    // The event thread may be asleep in poll() while a reply read on the caller's thread left
    // events in xcb's queue; waking it makes it drain them.
    void wakeEventThread() const
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wake.get(), &one, sizeof one);
    }

    std::vector<xcb_keycode_t> keycodesFor(std::uint32_t keysym)
    {
        std::vector<xcb_keycode_t> keycodes;
        KeyCodes found(xcb_key_symbols_get_keycode(symbols.get(), keysym));
        for (const xcb_keycode_t* code = found.get(); code != nullptr && *code != XCB_NO_SYMBOL; ++code) {
            if (std::find(keycodes.begin(), keycodes.end(), *code) == keycodes.end()) {
                keycodes.push_back(*code);
            }
        }
        return keycodes;
    }

    void ungrab(const std::vector<xcb_keycode_t>& keycodes, std::uint16_t modifiers)
    {
        // Releases only this client's grabs, so it is safe for variants another client holds.
        for (const xcb_keycode_t keycode : keycodes) {
            for (const std::uint16_t variant : kLockVariants) {
                xcb_ungrab_key(connection.get(), keycode, root, modifiers | variant);
            }
        }
        // A round trip, so that the chord is free for other clients once this returns.
        std::free(xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()), nullptr));
    }

    // All variants or none: a chord that works only with Num Lock off would puzzle the user.
    bool grab(const std::vector<xcb_keycode_t>& keycodes, std::uint16_t modifiers)
    {
        if (keycodes.empty()) {
            return false;
        }
        std::vector<xcb_void_cookie_t> cookies;
        for (const xcb_keycode_t keycode : keycodes) {
            for (const std::uint16_t variant : kLockVariants) {
                cookies.push_back(xcb_grab_key_checked(
                    connection.get(), 0, root, modifiers | variant, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
        }
        bool granted = true;
        for (const auto cookie : cookies) {
            // BadAccess when another client holds the chord; any error refuses it.
            if (Error error {xcb_request_check(connection.get(), cookie)}) {
                granted = false;
            }
        }
        if (!granted || !connected()) {
            ungrab(keycodes, modifiers);
            return false;
        }
        return true;
    }

    void regrabAfterLayoutChange()
    {
        std::lock_guard lock(stateMutex);
        for (auto& [id, registration] : registrations) {
            // Servers also announce a mapping when another keyboard (XTest's, say) starts typing,
            // often with nothing changed; a chord is only let go when its keys really moved, so
            // that no press slips through between ungrab and grab.
            auto keycodes = keycodesFor(registration.keysym);
            if (keycodes == registration.keycodes) {
                continue;
            }
            ungrab(registration.keycodes, registration.modifiers);
            registration.keycodes
                = grab(keycodes, registration.modifiers) ? std::move(keycodes) : std::vector<xcb_keycode_t> {};
        }
    }

    std::vector<std::uint32_t> pressedIDs(const xcb_key_press_event_t& press)
    {
        std::lock_guard lock(stateMutex);
        const std::uint16_t modifiers = press.state & kKeyModifiers & ~kIgnoredModifiers;
        std::vector<std::uint32_t> ids;
        for (const auto& [id, registration] : registrations) {
            const auto& keys = registration.keycodes;
            if (registration.modifiers == modifiers
                && std::find(keys.begin(), keys.end(), press.detail) != keys.end()) {
                ids.push_back(id);
            }
        }
        return ids;
    }

    void handle(const xcb_generic_event_t& event)
    {
        switch (event.response_type & ~0x80) {
        case XCB_KEY_PRESS: {
            const auto ids = pressedIDs(reinterpret_cast<const xcb_key_press_event_t&>(event));
            std::lock_guard lock(handlerMutex);
            for (const std::uint32_t id : ids) {
                if (handler) {
                    handler(id);
                }
            }
            break;
        }
        case XCB_MAPPING_NOTIFY: {
            auto& mapping
                = const_cast<xcb_mapping_notify_event_t&>(reinterpret_cast<const xcb_mapping_notify_event_t&>(event));
            bool keyboardChanged = false;
            {
                std::lock_guard lock(stateMutex);
                keyboardChanged = xcb_refresh_keyboard_mapping(symbols.get(), &mapping) == 1;
            }
            if (keyboardChanged) {
                regrabAfterLayoutChange();
            }
            break;
        }
        default:
            break;
        }
    }

    // A held key repeats as a release and a press with the same key and time stamp, which the
    // server sends together; such a pair is dropped, so a chord held down fires once.
    static bool isRepeat(const xcb_generic_event_t& release, const xcb_generic_event_t* next)
    {
        if (next == nullptr || (next->response_type & ~0x80) != XCB_KEY_PRESS) {
            return false;
        }
        const auto& up = reinterpret_cast<const xcb_key_release_event_t&>(release);
        const auto& down = reinterpret_cast<const xcb_key_press_event_t&>(*next);
        return up.detail == down.detail && up.time == down.time;
    }

    void drainEvents()
    {
        Event pending;
        while (true) {
            Event event = pending ? std::move(pending) : Event(xcb_poll_for_event(connection.get()));
            if (!event) {
                return;
            }
            if ((event->response_type & ~0x80) == XCB_KEY_RELEASE) {
                Event next(xcb_poll_for_queued_event(connection.get()));
                if (!isRepeat(*event, next.get())) {
                    pending = std::move(next);
                }
                continue;
            }
            handle(*event);
        }
    }

    void run()
    {
        std::array<pollfd, 2> fds {{{xcb_get_file_descriptor(connection.get()), POLLIN, 0}, {wake.get(), POLLIN, 0}}};
        while (!stopping.load()) {
            drainEvents();
            if (!connected()) {
                return; // the X server went away; registrations are refused from now on
            }
            if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) {
                return;
            }
            if ((fds[1].revents & POLLIN) != 0) {
                std::uint64_t count = 0;
                [[maybe_unused]] const auto bytes = ::read(wake.get(), &count, sizeof count);
            }
        }
    }
};

X11HotkeyBackend::X11HotkeyBackend(const std::string& displayName)
    : m_impl(std::make_unique<Impl>())
{
    int screenNumber = 0;
    m_impl->connection.reset(xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), &screenNumber));
    m_impl->wake = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!m_impl->connected() || !m_impl->wake) {
        m_impl->connection.reset();
        return;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_impl->connection.get()));
    for (int index = 0; index < screenNumber && screens.rem > 0; ++index) {
        xcb_screen_next(&screens);
    }
    if (screens.rem == 0) {
        m_impl->connection.reset();
        return;
    }
    m_impl->root = screens.data->root;
    m_impl->symbols.reset(xcb_key_symbols_alloc(m_impl->connection.get()));
    if (!m_impl->symbols) {
        m_impl->connection.reset();
        return;
    }
    m_impl->eventThread = std::thread([impl = m_impl.get()] { impl->run(); });
}

X11HotkeyBackend::~X11HotkeyBackend()
{
    if (m_impl->eventThread.joinable()) {
        m_impl->stopping = true;
        m_impl->wakeEventThread();
        m_impl->eventThread.join();
    }
    if (m_impl->connected()) {
        for (const auto& [id, registration] : m_impl->registrations) {
            m_impl->ungrab(registration.keycodes, registration.modifiers);
        }
    }
    // Members go in reverse order: key symbols before the connection they were read from.
    m_impl->symbols.reset();
}

bool X11HotkeyBackend::isConnected() const
{
    return m_impl->connected();
}

bool X11HotkeyBackend::registerHotkey(std::uint32_t id, const TarnHotkeyDescriptor& descriptor)
{
    const auto keysym = X11HotkeyKeymap::keysymForKeyCode(descriptor.keyCode());
    const auto modifiers = X11HotkeyKeymap::modifiersForMask(descriptor.carbonModifiers());
    if (!m_impl->connected() || !keysym || !modifiers) {
        return false;
    }
    bool granted = false;
    {
        std::lock_guard lock(m_impl->stateMutex);
        const bool taken = std::any_of(m_impl->registrations.begin(), m_impl->registrations.end(),
            [&](const auto& entry) { return entry.first == id || entry.second.descriptor == descriptor; });
        if (!taken) {
            auto keycodes = m_impl->keycodesFor(*keysym);
            granted = m_impl->grab(keycodes, *modifiers);
            if (granted) {
                m_impl->registrations.emplace(id, Registration {descriptor, *keysym, *modifiers, std::move(keycodes)});
            }
        }
    }
    m_impl->wakeEventThread();
    return granted;
}

void X11HotkeyBackend::unregisterHotkey(std::uint32_t id)
{
    {
        std::lock_guard lock(m_impl->stateMutex);
        const auto found = m_impl->registrations.find(id);
        if (found == m_impl->registrations.end()) {
            return;
        }
        if (m_impl->connected()) {
            m_impl->ungrab(found->second.keycodes, found->second.modifiers);
        }
        m_impl->registrations.erase(found);
    }
    m_impl->wakeEventThread();
}

Subscription X11HotkeyBackend::onPress(PressHandler handler)
{
    {
        std::lock_guard lock(m_impl->handlerMutex);
        m_impl->handler = std::move(handler);
    }
    return Subscription([impl = m_impl.get()] {
        std::lock_guard lock(impl->handlerMutex);
        impl->handler = nullptr;
    });
}

} // namespace tarn
