#include "TarnInput/Overlays/KeyHUD/KeyHUDOverlayController.h"

#include <limits>

#include "TarnInput/Overlays/KeyHUD/KeyHUDLayout.h"
#include "TarnInput/Overlays/KeyHUD/KeyHUDPillView.h"
#include "TarnInput/Overlays/OverlayScreens.h"
#include "TarnInput/Overlays/OverlayWindow.h"
#include "TarnInput/Overlays/OverlayWindowManager.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace tarn::input {

KeyHUDOverlayController::KeyHUDOverlayController(
    OverlayClock& clock, OverlayScreens& screens, OverlayWindowManager& windowManager)
    : m_clock(clock)
    , m_screens(screens)
    , m_windowManager(windowManager)
    , m_ripples(clock, screens, windowManager)
{
}

KeyHUDOverlayController::~KeyHUDOverlayController() = default;

void KeyHUDOverlayController::push(const KeyHUDToken& token, KeyHUDPosition position, double durationSeconds)
{
    m_tokens.append(token);
    if (!m_panel) {
        createPanel();
    }
    m_panel->setTokens({m_tokens.tokens().begin(), m_tokens.tokens().end()});
    const OverlayScreenLayout layout = m_screens.layout();
    const OverlayScreen* screen = layout.screenFor(layout.cursor);
    const int availableWidth = screen != nullptr ? screen->availableGeometry.width() : std::numeric_limits<int>::max();
    const QSize size = KeyHUDLayout::size(m_tokens.tokens().size(), m_panel->naturalWidth(), availableWidth);
    m_panel->setFixedSize(size);
    positionPanel(size, position, screen);
    OverlayWindow::applyShape(*m_panel, m_windowManager.isCompositing(), m_panel->capsuleRegion());
    OverlayWindow::present(*m_panel, m_windowManager);
    m_ripples.raise();

    m_dismiss = m_clock.callAfter(KeyHUDLayout::hideDelay(durationSeconds), [this] { hide(); });
}

void KeyHUDOverlayController::showClickRipple(const ClickRippleEvent& event)
{
    m_ripples.show(event);
}

void KeyHUDOverlayController::createPanel()
{
    m_panel = std::make_unique<KeyHUDPillView>(accentColor(TarnProductPalette::deepAbyss));
    OverlayWindow::configure(*m_panel);
}

void KeyHUDOverlayController::positionPanel(QSize size, KeyHUDPosition anchor, const OverlayScreen* screen)
{
    if (screen == nullptr) {
        return;
    }
    m_panel->move(KeyHUDLayout::origin(size, anchor, screen->availableGeometry));
}

void KeyHUDOverlayController::hide()
{
    m_dismiss.reset();
    m_tokens.clear();
    m_panel->setTokens({});
    m_panel->hide();
}

} // namespace tarn::input
