// Global shortcuts against a real X server: chords are pressed with XTest, and a second client
// stands in for another program that grabs the same chords.

#include "Platform/Linux/X11/X11HotkeyBackend.h"

#include <chrono>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"
#include "TarnKit/Foundation/Desktop/TarnGlobalHotkeyManager.h"
#include "TarnKit/Foundation/Files/CHandle.h"

namespace tarn {
namespace {

using Connection = CHandle<xcb_connection_t, xcb_disconnect>;
using KeySymbols = CHandle<xcb_key_symbols_t, xcb_key_symbols_free>;
using Error = CHandle<xcb_generic_error_t, std::free>;
using KeyCodes = CHandle<xcb_keycode_t, std::free>;

constexpr TarnHotkeyDescriptor kToggleHud(4, TarnHotkeyDescriptor::cmdOptionFlag); // Alt+Super+H
constexpr TarnHotkeyDescriptor kSentinel(38, TarnHotkeyDescriptor::controlMask | TarnHotkeyDescriptor::shiftMask);
constexpr std::uint16_t kAltSuper = XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
constexpr std::uint16_t kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

// Another X client: presses keys through XTest and grabs chords of its own.
class OtherClient {
public:
    OtherClient()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection.get()) == 0) {
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data->root;
            m_symbols.reset(xcb_key_symbols_alloc(m_connection.get()));
            m_clockWindow = xcb_generate_id(m_connection.get());
            const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_create_window(m_connection.get(), 0, m_clockWindow, m_root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
        }
    }

    bool connected() const { return m_symbols != nullptr; }

    xcb_keycode_t keycode(xcb_keysym_t keysym) const
    {
        KeyCodes codes(xcb_key_symbols_get_keycode(m_symbols.get(), keysym));
        return codes ? codes.get()[0] : XCB_NO_SYMBOL;
    }

    // Presses the keys in order and releases them in reverse, like fingers on a chord.
    void tap(const std::vector<xcb_keysym_t>& chord)
    {
        for (const auto keysym : chord) {
            xcb_test_fake_input(
                m_connection.get(), XCB_KEY_PRESS, keycode(keysym), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        }
        for (auto keysym = chord.rbegin(); keysym != chord.rend(); ++keysym) {
            xcb_test_fake_input(
                m_connection.get(), XCB_KEY_RELEASE, keycode(*keysym), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        }
        // A held key repeats as a release and a press in the same millisecond, and the backend
        // drops such pairs; so the next tap waits for the server's clock to move on.
        const xcb_timestamp_t tapped = serverTime();
        while (serverTime() == tapped) { }
    }

    bool grab(xcb_keysym_t keysym, std::uint16_t modifiers)
    {
        const auto cookie = xcb_grab_key_checked(
            m_connection.get(), 0, m_root, modifiers, keycode(keysym), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        return Error(xcb_request_check(m_connection.get(), cookie)) == nullptr;
    }

    // Grabs every Caps Lock / Num Lock variant of the chord: possible only when nobody else
    // holds any of them.
    bool grabAllVariants(xcb_keysym_t keysym, std::uint16_t modifiers)
    {
        bool all = true;
        for (const auto variant : kLockVariants) {
            all = grab(keysym, modifiers | variant) && all;
        }
        return all;
    }

    void ungrabAll()
    {
        Error(xcb_request_check(
            m_connection.get(), xcb_ungrab_key_checked(m_connection.get(), XCB_GRAB_ANY, m_root, XCB_MOD_MASK_ANY)));
    }

private:
    // The time stamp of a property change made now, which the server processes after every
    // request sent before it.
    xcb_timestamp_t serverTime()
    {
        xcb_change_property(
            m_connection.get(), XCB_PROP_MODE_APPEND, m_clockWindow, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
        xcb_flush(m_connection.get());
        while (CHandle<xcb_generic_event_t, std::free> event {xcb_wait_for_event(m_connection.get())}) {
            if ((event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY) {
                return reinterpret_cast<xcb_property_notify_event_t*>(event.get())->time;
            }
        }
        return 0;
    }

    Connection m_connection;
    KeySymbols m_symbols;
    xcb_window_t m_root = XCB_NONE;
    xcb_window_t m_clockWindow = XCB_NONE;
};

class X11Hotkeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_other.connected()) << "no X display";
        ASSERT_TRUE(m_backend.isConnected());
        m_sentinelID = m_manager->registerHotkey(kSentinel, [this] { ++m_sentinelRuns; });
        ASSERT_TRUE(m_sentinelID);
    }

    void TearDown() override { m_other.ungrabAll(); }

    // XTest is asynchronous, and a press that goes elsewhere leaves no trace to wait for. X
    // delivers key events in order, so once the sentinel chord pressed after it has come
    // through, every press before it has too.
    void flushPresses()
    {
        const int before = m_sentinelRuns;
        m_other.tap({XK_Control_L, XK_Shift_L, XK_j});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (m_sentinelRuns == before && std::chrono::steady_clock::now() < deadline) {
            m_executor.waitForPending(std::chrono::milliseconds(100));
            m_executor.runPending();
        }
        ASSERT_EQ(m_sentinelRuns, before + 1) << "the sentinel chord never arrived";
    }

    OtherClient m_other;
    X11HotkeyBackend m_backend;
    ManualMainThreadExecutor m_executor;
    std::optional<TarnGlobalHotkeyManager> m_manager {std::in_place, m_backend, m_executor};
    std::optional<std::uint32_t> m_sentinelID;
    int m_sentinelRuns = 0;
};

TEST_F(X11Hotkeys, ChordRunsItsActionOnceOnTheMainThread)
{
    std::vector<std::thread::id> ranOn;
    ASSERT_EQ(m_manager->registerHotkey(kToggleHud, [&] { ranOn.push_back(std::this_thread::get_id()); }), 2u);

    m_other.tap({XK_Alt_L, XK_Super_L, XK_h});
    flushPresses();
    ASSERT_EQ(ranOn.size(), 1u);
    EXPECT_EQ(ranOn.front(), std::this_thread::get_id());

    // Still the same chord with Caps Lock on.
    m_other.tap({XK_Caps_Lock});
    m_other.tap({XK_Alt_L, XK_Super_L, XK_h});
    m_other.tap({XK_Caps_Lock});
    flushPresses();
    EXPECT_EQ(ranOn.size(), 2u);

    // H alone, or with a modifier too many, is not the chord.
    m_other.tap({XK_h});
    m_other.tap({XK_Alt_L, XK_Super_L, XK_Shift_L, XK_h});
    flushPresses();
    EXPECT_EQ(ranOn.size(), 2u);
}

TEST_F(X11Hotkeys, ChordHeldByAnotherClientIsRefusedWithoutTrace)
{
    ASSERT_TRUE(m_other.grab(XK_h, kAltSuper));
    int runs = 0;
    EXPECT_EQ(m_manager->registerHotkey(kToggleHud, [&] { ++runs; }), std::nullopt);
    // The variants this backend did get were given back with the refusal.
    for (const auto variant : {XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2}) {
        EXPECT_TRUE(m_other.grab(XK_h, kAltSuper | variant)) << "variant " << variant << " still held";
    }

    m_other.ungrabAll();
    EXPECT_EQ(m_manager->registerHotkey(kToggleHud, [&] { ++runs; }), 3u) << "the refusal spent identifier 2";
    m_other.tap({XK_Alt_L, XK_Super_L, XK_h});
    flushPresses();
    EXPECT_EQ(runs, 1);
}

TEST_F(X11Hotkeys, UnregisteredChordRunsNothingAndIsFreeForOthers)
{
    int runs = 0;
    const auto id = m_manager->registerHotkey(kToggleHud, [&] { ++runs; });
    ASSERT_TRUE(id);
    m_manager->unregister(*id);

    m_other.tap({XK_Alt_L, XK_Super_L, XK_h});
    flushPresses();
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(m_other.grabAllVariants(XK_h, kAltSuper));
}

TEST_F(X11Hotkeys, DestroyedManagerLeavesNoGrabBehind)
{
    ASSERT_TRUE(m_manager->registerHotkey(kToggleHud, [] {}));
    m_manager.reset();
    EXPECT_TRUE(m_other.grabAllVariants(XK_h, kAltSuper));
    EXPECT_TRUE(m_other.grabAllVariants(XK_j, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT));
}

TEST(X11HotkeyBackend, WithoutADisplayEveryChordIsRefused)
{
    X11HotkeyBackend backend(":4711");
    EXPECT_FALSE(backend.isConnected());
    EXPECT_FALSE(backend.registerHotkey(1, kToggleHud));
}

TEST(X11HotkeyBackend, ChordsWithoutAnX11EquivalentAreRefused)
{
    X11HotkeyBackend backend;
    ASSERT_TRUE(backend.isConnected());
    EXPECT_FALSE(backend.registerHotkey(1, TarnHotkeyDescriptor(10, TarnHotkeyDescriptor::cmdOptionFlag)));
    EXPECT_FALSE(backend.registerHotkey(2, TarnHotkeyDescriptor(4, 1024))) << "Caps Lock is no chord modifier";
    EXPECT_TRUE(backend.registerHotkey(3, kToggleHud));
    EXPECT_FALSE(backend.registerHotkey(4, kToggleHud)) << "already held here";
}

} // namespace
} // namespace tarn
