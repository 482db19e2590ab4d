#pragma once

// Windows as rectangles in a list, the first that contains a point being the one under it.
// Records every lookup, move and resize; a window can be made unreadable.

#include <mutex>
#include <optional>
#include <vector>

#include "TarnInputCore/Engine/Ports/WindowAccess.h"

namespace tarn::input {

class FakeWindowAccess final : public WindowAccess {
public:
    std::optional<WindowRef> windowAt(EventPoint point) override;
    std::optional<WindowFrame> frame(WindowRef window) override;
    bool setPosition(WindowRef window, EventPoint origin) override;
    bool setSize(WindowRef window, WindowSize size) override;

    // Added on top of the ones before it.
    void addWindow(WindowRef window, WindowFrame frame, bool readable = true);
    // None for an unknown window.
    std::optional<WindowFrame> currentFrame(WindowRef window) const;
    int changeCount() const;
    // Calls of `windowAt`.
    int lookupCount() const;

private:
    struct Window {
        WindowRef ref;
        WindowFrame frame;
        bool readable = true;
    };
    Window* find(WindowRef window);

    mutable std::mutex m_mutex;
    std::vector<Window> m_windows; // top first
    int m_changes = 0;
    int m_lookups = 0;
};

} // namespace tarn::input
