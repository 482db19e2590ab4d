// Wake-ups of a whole program at rest: how often each of its threads was switched in (voluntary
// and involuntary context switches, from /proc/<pid>/task/*/status) over a quiet period, first
// with its main window open, then with the window closed (asked to close as a window manager
// asks). Nothing touches the input devices meanwhile.
//
//   IdleWakeupsBench [--seconds N] [--settle N] [--xvfb] [--devices] [--close-window TITLE]
//                    -- PROGRAM [ARGS...]
//
//   --xvfb      start an X server of its own (where none runs, as in scripts/uinput-vm)
//   --devices   create a uinput mouse and keyboard first, for the program's tap to hold
//
// Prints one line per thread (its name, and wake-ups a second with the window open and closed)
// and the whole process's, and whether the program's input thread ("tarn-input") runs.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fmt/format.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <xcb/xcb.h>

#include "TarnKit/Foundation/Files/CHandle.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Uinput = tarn::CHandle<libevdev_uinput, libevdev_uinput_destroy>;

struct Options {
    std::chrono::seconds seconds {30};
    std::chrono::seconds settle {10};
    bool xvfb = false;
    bool devices = false;
    std::string closeWindow;
    std::vector<char*> program;
};

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    int i = 1;
    for (; i < argc && std::string(argv[i]) != "--"; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seconds" && hasValue) {
            options.seconds = std::chrono::seconds(std::atoi(argv[++i]));
        } else if (arg == "--settle" && hasValue) {
            options.settle = std::chrono::seconds(std::atoi(argv[++i]));
        } else if (arg == "--close-window" && hasValue) {
            options.closeWindow = argv[++i];
        } else if (arg == "--xvfb") {
            options.xvfb = true;
        } else if (arg == "--devices") {
            options.devices = true;
        } else {
            return std::nullopt;
        }
    }
    for (++i; i < argc; ++i) {
        options.program.push_back(argv[i]);
    }
    if (options.program.empty()) {
        return std::nullopt;
    }
    options.program.push_back(nullptr);
    return options;
}

pid_t spawn(const std::vector<const char*>& command)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::execvp(command[0], const_cast<char* const*>(command.data()));
        ::_exit(127);
    }
    return child;
}

// An X server of our own on display :97, ready once its socket is there.
pid_t startXvfb()
{
    const pid_t server = spawn({"Xvfb", ":97", "-screen", "0", "1280x800x24", "-nolisten", "tcp", nullptr});
    ::setenv("DISPLAY", ":97", 1);
    for (int i = 0; i < 300 && !std::filesystem::exists("/tmp/.X11-unix/X97"); ++i) {
        std::this_thread::sleep_for(100ms);
    }
    return server;
}

Uinput createDevice(const char* name, bool mouse)
{
    libevdev* description = libevdev_new();
    libevdev_set_name(description, name);
    libevdev_set_id_bustype(description, BUS_USB);
    if (mouse) {
        for (unsigned code = BTN_LEFT; code <= BTN_TASK; ++code) {
            libevdev_enable_event_code(description, EV_KEY, code, nullptr);
        }
        for (unsigned code : {REL_X, REL_Y, REL_WHEEL, REL_HWHEEL}) {
            libevdev_enable_event_code(description, EV_REL, code, nullptr);
        }
    } else {
        for (unsigned code = KEY_ESC; code <= KEY_MICMUTE; ++code) {
            libevdev_enable_event_code(description, EV_KEY, code, nullptr);
        }
    }
    libevdev_uinput* device = nullptr;
    libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &device);
    libevdev_free(description);
    return Uinput(device);
}

// Context switches of each thread: "<tid> <name>" -> count.
std::map<std::string, long> switchesByThread(pid_t pid)
{
    std::map<std::string, long> switches;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(fmt::format("/proc/{}/task", pid), error)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        std::ifstream status(task.path() / "status");
        long total = 0;
        for (std::string line; std::getline(status, line);) {
            if (line.find("ctxt_switches:") != std::string::npos) {
                total += std::stol(line.substr(line.find(':') + 1));
            }
        }
        switches[task.path().filename().string() + " " + name] = total;
    }
    return switches;
}

using Rates = std::map<std::string, double>;

Rates measure(pid_t pid, std::chrono::seconds seconds)
{
    const auto before = switchesByThread(pid);
    std::this_thread::sleep_for(seconds);
    const auto after = switchesByThread(pid);
    Rates rates;
    for (const auto& [thread, count] : after) {
        const auto found = before.find(thread);
        rates[thread] = double(count - (found != before.end() ? found->second : 0)) / double(seconds.count());
    }
    return rates;
}

std::string textProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    const auto cookie = xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return {};
    }
    std::string value(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    std::free(reply);
    return value;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t value = reply != nullptr ? reply->atom : xcb_atom_t {XCB_ATOM_NONE};
    std::free(reply);
    return value;
}

std::optional<xcb_window_t> findWindow(xcb_connection_t* connection, xcb_window_t parent, const std::string& title)
{
    const xcb_atom_t netName = atom(connection, "_NET_WM_NAME");
    if (textProperty(connection, parent, netName) == title
        || textProperty(connection, parent, XCB_ATOM_WM_NAME) == title) {
        return parent;
    }
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr);
    if (tree == nullptr) {
        return std::nullopt;
    }
    std::optional<xcb_window_t> found;
    const auto* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
        found = findWindow(connection, children[i], title);
    }
    std::free(tree);
    return found;
}

// Asks the window to close, as a window manager's close button does.
bool closeWindow(const std::string& title)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto window = findWindow(connection, root, title);
    if (window) {
        xcb_client_message_event_t event {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = *window;
        event.type = atom(connection, "WM_PROTOCOLS");
        event.data.data32[0] = atom(connection, "WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection, 0, *window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        xcb_flush(connection);
    }
    xcb_disconnect(connection);
    return window.has_value();
}

void report(const Rates& open, const std::optional<Rates>& closed)
{
    double openTotal = 0;
    double closedTotal = 0;
    fmt::print("{:<32} {:>14} {:>14}\n", "thread", "window open/s", "closed/s");
    for (const auto& [thread, rate] : open) {
        const double after = closed && closed->contains(thread) ? closed->at(thread) : 0;
        fmt::print("{:<32} {:>14.2f} {:>14}\n", thread, rate, closed ? fmt::format("{:.2f}", after) : "-");
        openTotal += rate;
        closedTotal += after;
    }
    fmt::print(
        "{:<32} {:>14.2f} {:>14}\n", "whole process", openTotal, closed ? fmt::format("{:.2f}", closedTotal) : "-");
}

} // namespace

int main(int argc, char** argv)
{
    const auto options = parse(argc, argv);
    if (!options) {
        std::fputs("usage: IdleWakeupsBench [--seconds N] [--settle N] [--xvfb] [--devices] [--close-window TITLE] "
                   "-- PROGRAM [ARGS...]\n",
            stderr);
        return 2;
    }
    // A runtime folder of the program's own where the environment names none (as in the vm).
    std::string runtime = (std::filesystem::temp_directory_path() / "idle-bench-XXXXXX").string();
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr && ::mkdtemp(runtime.data()) != nullptr) {
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    const pid_t server = options->xvfb ? startXvfb() : -1;
    Uinput mouse;
    Uinput keyboard;
    if (options->devices) {
        mouse = createDevice("Idle Bench Mouse", true);
        keyboard = createDevice("Idle Bench Keyboard", false);
    }
    const pid_t program = ::fork();
    if (program == 0) {
        ::execvp(options->program[0], options->program.data());
        ::_exit(127);
    }
    std::this_thread::sleep_for(options->settle);
    const auto threads = switchesByThread(program);
    const bool tapping = std::any_of(
        threads.begin(), threads.end(), [](const auto& each) { return each.first.ends_with(" tarn-input"); });
    fmt::print("{} threads; the input tap {}\n", threads.size(), tapping ? "runs" : "does not run");

    const auto open = measure(program, options->seconds);
    std::optional<Rates> closed;
    if (!options->closeWindow.empty()) {
        if (closeWindow(options->closeWindow)) {
            std::this_thread::sleep_for(5s);
            closed = measure(program, options->seconds);
        } else {
            fmt::print(stderr, "no window called \"{}\"\n", options->closeWindow);
        }
    }
    report(open, closed);

    ::kill(program, SIGTERM);
    int status = 0;
    ::waitpid(program, &status, 0);
    if (server > 0) {
        ::kill(server, SIGTERM);
        ::waitpid(server, nullptr, 0);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
