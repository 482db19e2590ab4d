// The frontmost-application answer the engine asks for on every wheel and side-button event.
// Needs an X11 display (scripts/bench.sh starts one when there is none); the benchmark makes its
// own window the active one, as a window manager would, with a long desktop-file id so that the
// answer's text does not fit in a string's inline buffer.

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>
#include <xcb/xcb_icccm.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/X11/X11Workspace.h"
#include "TarnKit/Foundation/Files/CHandle.h"

namespace {

using Connection = tarn::CHandle<xcb_connection_t, xcb_disconnect>;

xcb_atom_t atom(xcb_connection_t* connection, const std::string& name)
{
    tarn::CHandle<xcb_intern_atom_reply_t, std::free> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// One window and one workspace for every run: an X server resets itself when its last client
// leaves, and refuses connections while it does.
struct ActiveWindow {
    ActiveWindow()
        : connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(connection.get()) != 0) {
            return;
        }
        auto* screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data;
        const xcb_window_t window = xcb_generate_id(connection.get());
        xcb_create_window(connection.get(), XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 10, 10, 0,
            XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        const std::string wmClass = std::string("blender") + '\0' + "Blender" + '\0';
        xcb_icccm_set_wm_class(connection.get(), window, static_cast<std::uint32_t>(wmClass.size()), wmClass.data());
        workspace = std::make_unique<tarn::input::X11Workspace>(log);
        xcb_change_property(connection.get(), XCB_PROP_MODE_REPLACE, screen->root,
            atom(connection.get(), "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32, 1, &window);
        xcb_flush(connection.get());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (workspace->frontmostApplication().bundleID != "org.blenderfoundation.blender"
            && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    bool ready() const
    {
        return workspace && workspace->frontmostApplication().bundleID == "org.blenderfoundation.blender";
    }

    Connection connection;
    tarn::RecordingLogSink log;
    std::unique_ptr<tarn::input::X11Workspace> workspace;
};

void frontmostApplication(benchmark::State& state)
{
    static ActiveWindow active;
    if (!active.ready()) {
        state.SkipWithError("needs an X11 display");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(active.workspace->frontmostApplication());
    }
}
BENCHMARK(frontmostApplication);

} // namespace
