#pragma once

// Marks a widget that keeps its own mouse drags inside a TarnDraggableFloatingPanel: a press on
// it, or on anything inside it, never moves the panel. Derive from it next to QWidget; it asks
// for nothing.

namespace tarn {

class TarnCustomDragTrackingView {
public:
    virtual ~TarnCustomDragTrackingView() = default;

protected:
    TarnCustomDragTrackingView() = default;
    TarnCustomDragTrackingView(const TarnCustomDragTrackingView&) = default;
    TarnCustomDragTrackingView& operator=(const TarnCustomDragTrackingView&) = default;
};

} // namespace tarn
