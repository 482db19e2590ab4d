#pragma once

// One ripple's window: a ring over a faint disc in the button's colour, centred in the window and
// drawn as the current frame of the ripple's motion says. Without a compositor, opacity cannot
// show (a fading ring would turn black), so the ring is drawn solid and the disc left out; the
// window's mask then follows the ring.

#include <QColor>
#include <QRegion>
#include <QWidget>

#include "TarnInput/Overlays/Ripples/RippleAnimation.h"

namespace tarn::input {

class ClickRippleHaloView final : public QWidget {
    Q_OBJECT

public:
    explicit ClickRippleHaloView(bool isRightClick, QWidget* parent = nullptr);

    bool isRightClick() const { return m_isRightClick; }
    // A window is reused for the next press, which may be of the other button.
    void setIsRightClick(bool isRightClick);
    const RippleFrame& frame() const { return m_frame; }
    void setFrame(const RippleFrame& frame, bool compositing);

    // The ring of the current frame, for the window's mask.
    QRegion ringRegion() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_isRightClick;
    bool m_compositing = true;
    RippleFrame m_frame;
};

} // namespace tarn::input
