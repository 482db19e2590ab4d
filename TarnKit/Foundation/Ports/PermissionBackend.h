#pragma once

// What the system says about the program's privacy permissions. Asking never shows anything to
// the user and is never cached: the answer may change at any time.

namespace tarn {

class PermissionBackend {
public:
    virtual ~PermissionBackend() = default;

    // Whether the program may read the user's input and post input of its own.
    [[nodiscard]] virtual bool isAccessibilityGranted() const = 0;
    // Whether the program may capture the screen.
    [[nodiscard]] virtual bool isScreenRecordingGranted() const = 0;
};

} // namespace tarn
