#include "TarnInput/Overlays/Ripples/ClickRippleOverlay.h"

#include <cmath>

#include "TarnInput/Overlays/OverlayScreens.h"
#include "TarnInput/Overlays/OverlayWindow.h"
#include "TarnInput/Overlays/OverlayWindowManager.h"
#include "TarnInput/Overlays/Ripples/ClickRippleHaloView.h"
#include "TarnInput/Overlays/Ripples/RippleAnimation.h"

namespace tarn::input {

namespace {

// About sixty frames a second while the halo moves.
constexpr std::chrono::milliseconds kFrameInterval {16};

} // namespace

struct ClickRippleOverlay::Ripple {
    ClickRippleHaloView* window = nullptr;
    MonotonicTime start;
    bool compositing = true;
    std::unique_ptr<OverlayClock::Timer> nextFrame;
    std::unique_ptr<OverlayClock::Timer> removal;
};

ClickRippleOverlay::ClickRippleOverlay(
    OverlayClock& clock, OverlayScreens& screens, OverlayWindowManager& windowManager)
    : m_clock(clock)
    , m_screens(screens)
    , m_windowManager(windowManager)
{
}

ClickRippleOverlay::~ClickRippleOverlay() = default;

void ClickRippleOverlay::show(const ClickRippleEvent& event)
{
    const QPointF centre = m_screens.layout().logicalFromDevice(QPointF(event.screenPoint.x, event.screenPoint.y));
    const int half = RippleAnimation::kWindowSide / 2;

    Ripple& ripple = m_ripples.emplace_back();
    ripple.window = &idleWindow();
    ripple.start = m_clock.now();
    ripple.compositing = m_windowManager.isCompositing();
    ripple.window->setIsRightClick(event.isRightClick);
    // Part of the window may lie off the screen at its edge; it is not pushed back in, so the
    // halo stays centred on the click.
    ripple.window->move(
        static_cast<int>(std::lround(centre.x())) - half, static_cast<int>(std::lround(centre.y())) - half);
    ripple.window->setFrame(RippleAnimation::frameAt(std::chrono::nanoseconds::zero()), ripple.compositing);
    OverlayWindow::applyShape(*ripple.window, ripple.compositing, ripple.window->ringRegion());
    OverlayWindow::present(*ripple.window, m_windowManager);

    ripple.nextFrame = m_clock.callAfter(kFrameInterval, [this, &ripple] { advance(ripple); });
    ripple.removal = m_clock.callAfter(RippleAnimation::kLifetime, [this, &ripple] { remove(ripple); });
}

void ClickRippleOverlay::raise()
{
    for (Ripple& ripple : m_ripples) {
        ripple.window->raise();
    }
}

std::vector<const ClickRippleHaloView*> ClickRippleOverlay::ripples() const
{
    std::vector<const ClickRippleHaloView*> windows;
    for (const Ripple& ripple : m_ripples) {
        windows.push_back(ripple.window);
    }
    return windows;
}

ClickRippleHaloView& ClickRippleOverlay::idleWindow()
{
    if (m_idle.empty()) {
        auto& window = m_windows.emplace_back(std::make_unique<ClickRippleHaloView>(false));
        OverlayWindow::configure(*window);
        return *window;
    }
    ClickRippleHaloView* window = m_idle.back();
    m_idle.pop_back();
    return *window;
}

void ClickRippleOverlay::advance(Ripple& ripple)
{
    const auto elapsed = m_clock.now() - ripple.start;
    ripple.window->setFrame(RippleAnimation::frameAt(elapsed), ripple.compositing);
    OverlayWindow::applyShape(*ripple.window, ripple.compositing, ripple.window->ringRegion());
    // The last frame is the end of the motion; after it the halo stays still until removed.
    ripple.nextFrame = elapsed < RippleAnimation::kDuration
        ? m_clock.callAfter(kFrameInterval, [this, &ripple] { advance(ripple); })
        : nullptr;
}

void ClickRippleOverlay::remove(const Ripple& ripple)
{
    ripple.window->hide();
    m_idle.push_back(ripple.window);
    m_ripples.remove_if([&ripple](const Ripple& candidate) { return &candidate == &ripple; });
}

} // namespace tarn::input
