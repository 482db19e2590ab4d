#include "TarnKit/UI/Panels/TarnFloatingPanelController.h"

#include <QCursor>
#include <QScopedValueRollback>
#include <QWidget>

#include "TarnKit/UI/Panels/TarnDraggableFloatingPanel.h"
#include "TarnKit/UI/Panels/TarnFloatingPanelPlacement.h"

namespace tarn {

TarnFloatingPanelController::TarnFloatingPanelController(
    QSize size, bool dismissOnResignKey, std::function<void()> onDismiss, QObject* parent)
    : QObject(parent)
    , m_size(size)
    , m_dismissOnResignKey(dismissOnResignKey)
    , m_onDismiss(std::move(onDismiss))
{
}

TarnFloatingPanelController::~TarnFloatingPanelController() = default;

bool TarnFloatingPanelController::isVisible() const
{
    return m_panel && m_panel->isVisible();
}

void TarnFloatingPanelController::show(
    bool centeredOnActiveScreen, std::optional<QRect> anchorFrame, const ContentBuilder& content)
{
    TarnDraggableFloatingPanel& panel = ensurePanel();
    panel.setContentView(content ? content().release() : nullptr);
    panel.resize(m_size);
    place(panel, centeredOnActiveScreen, anchorFrame);
    panel.show();
    panel.raise();
    panel.activateWindow();
}

void TarnFloatingPanelController::toggle(
    bool centeredOnActiveScreen, std::optional<QRect> anchorFrame, const ContentBuilder& content)
{
    if (isVisible()) {
        orderOutAndDismiss();
    } else {
        show(centeredOnActiveScreen, anchorFrame, content);
    }
}

void TarnFloatingPanelController::hide()
{
    orderOutAndDismiss();
}

TarnDraggableFloatingPanel& TarnFloatingPanelController::ensurePanel()
{
    if (!m_panel) {
        m_panel = std::make_unique<TarnDraggableFloatingPanel>();
        m_panel->setObjectName(QStringLiteral("floatingPanel"));
        m_panel->setAttribute(Qt::WA_TranslucentBackground);
        m_panel->resize(m_size);
        // The panel lives and dies with this controller, so the callback may hold it plainly.
        m_panel->callbacks().onEscapePressed = [this] { orderOutAndDismiss(); };
        connect(m_panel.get(), &TarnDraggableFloatingPanel::didResignKey, this,
            &TarnFloatingPanelController::onPanelDidResignKey);
    }
    return *m_panel;
}

void TarnFloatingPanelController::place(
    TarnDraggableFloatingPanel& panel, bool centeredOnActiveScreen, std::optional<QRect> anchorFrame) const
{
    if (anchorFrame) {
        panel.move(anchorFrame->topLeft());
        return;
    }
    if (!centeredOnActiveScreen) {
        return;
    }
    const auto origin = TarnFloatingPanelPlacement::centredOnActiveScreen(
        TarnFloatingPanelPlacement::currentScreens(), QCursor::pos(), m_size);
    if (origin) {
        panel.move(*origin);
    }
}

void TarnFloatingPanelController::orderOutAndDismiss()
{
    if (m_panel) {
        // Qt takes the keyboard from a window while hiding it; that is this hide, not another.
        const QScopedValueRollback orderingOut(m_orderingOut, true);
        m_panel->hide();
    }
    if (m_onDismiss) {
        m_onDismiss();
    }
}

void TarnFloatingPanelController::onPanelDidResignKey()
{
    // A panel loses the keyboard as a consequence of being hidden, which is reported by the hide;
    // only a shown panel that loses it is dismissed here.
    if (m_dismissOnResignKey && !m_orderingOut && isVisible()) {
        orderOutAndDismiss();
    }
}

} // namespace tarn
