#include "TarnKit/UI/Chrome/QtApplicationWindows.h"

#include <QApplication>

namespace tarn {

ApplicationWindowState QtApplicationWindows::stateOf(const QWidget& window)
{
    const Qt::WindowType type = window.windowType();
    // A window the window manager never sees (the tray icon's own window on an XEmbed tray is one)
    // is no document window either: fronting it would leave the real one where it was.
    const bool isPanel = type == Qt::Tool || type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen
        || window.testAttribute(Qt::WA_ShowWithoutActivating)
        || window.windowFlags().testFlag(Qt::BypassWindowManagerHint);
    return {type == Qt::Window && !isPanel, isPanel, window.isMinimized(), window.isVisible() && !window.isMinimized()};
}

std::vector<ApplicationWindowState> QtApplicationWindows::windows()
{
    m_listed.clear();
    std::vector<ApplicationWindowState> states;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isWindow() || widget->windowType() == Qt::Desktop) {
            continue;
        }
        m_listed.emplace_back(widget);
        states.push_back(stateOf(*widget));
    }
    return states;
}

QWidget* QtApplicationWindows::at(std::size_t index) const
{
    return index < m_listed.size() ? m_listed[index].data() : nullptr;
}

void QtApplicationWindows::restore(std::size_t index)
{
    if (QWidget* window = at(index)) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
}

void QtApplicationWindows::makeKeyAndOrderFront(std::size_t index)
{
    if (QWidget* window = at(index)) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void QtApplicationWindows::activateIgnoringOtherApps()
{
    // An X11 program is activated through one of its windows; the window brought to the front
    // right after takes the focus. Nothing else to do here.
}

} // namespace tarn
