#pragma once

namespace tarn::input {

// Why the workspace cannot tell which application is in front.
enum class WorkspaceLimitation {
    // The session tells no program: no X11 display and no window list the program can read.
    noWindowList,
    // GNOME Shell without the program's shell extension, which the user enables once.
    shellExtensionMissing,
};

} // namespace tarn::input
