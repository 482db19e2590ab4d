#pragma once

// What the kit's titlebar code needs of one top-level window: the steps that turn it into a
// window whose content runs to the top edge under its own header, the frames of its three window
// buttons, and the actions a double click on the header may take. The Qt frame implements it;
// tests use a fake that records each step.

#include <optional>
#include <string>
#include <string_view>

namespace tarn {

enum class WindowButton { close, minimize, zoom };

// A rectangle in the window, from its top-left corner, in logical pixels.
struct WindowRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    bool operator==(const WindowRect&) const = default;
};

class WindowChrome {
public:
    virtual ~WindowChrome() = default;

    // Configuration steps.
    virtual bool hasFullSizeContent() const = 0;
    virtual void addFullSizeContent() = 0;
    virtual void hideTitle() = 0;
    virtual void makeTitlebarTransparent() = 0;
    virtual void removeTitlebarSeparator() = 0;
    // The identifier of the window's header bar (its toolbar), none when it has none.
    virtual std::optional<std::string> toolbarIdentifier() const = 0;
    virtual void removeToolbar() = 0;
    // An empty header bar that the user cannot customise and that saves nothing.
    virtual void installToolbar(std::string_view identifier) = 0;
    virtual void setUnifiedToolbarStyle() = 0;

    // Measuring.
    virtual bool isFullScreen() const = 0;
    // None when the window has no such button or it is hidden.
    virtual std::optional<WindowRect> buttonFrame(WindowButton button) const = 0;

    // Header actions.
    virtual void minimize() = 0;
    // Maximises a normal window, restores a maximised one.
    virtual void zoom() = 0;
};

} // namespace tarn
