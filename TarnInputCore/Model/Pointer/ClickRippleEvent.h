#pragma once

// One left or right click for the ripple overlay.

namespace tarn::input {

struct ClickRippleEvent {
    struct Point {
        double x = 0;
        double y = 0;

        bool operator==(const Point&) const = default;
    };

    // Where the pointer was when the button went down, in the overlay's screen coordinates.
    Point screenPoint;
    bool isRightClick = false;
};

} // namespace tarn::input
