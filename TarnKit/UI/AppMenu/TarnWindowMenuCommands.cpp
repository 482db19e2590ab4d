#include "TarnKit/UI/AppMenu/TarnWindowMenuCommands.h"

#include <algorithm>

#include <QApplication>

namespace tarn {

namespace {

bool isListed(const QWidget& widget)
{
    const Qt::WindowType type = widget.windowType();
    return widget.isWindow() && (type == Qt::Window || type == Qt::Dialog) && widget.isVisible()
        && !widget.windowTitle().isEmpty();
}

} // namespace

std::vector<QWidget*> TarnWindowMenuCommands::listedWindows()
{
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (isListed(*widget)) {
            windows.push_back(widget);
        }
    }
    // Qt keeps its windows in no particular order; the menu shows them by title.
    std::sort(windows.begin(), windows.end(), [](const QWidget* left, const QWidget* right) {
        return left->windowTitle().localeAwareCompare(right->windowTitle()) < 0;
    });
    return windows;
}

bool TarnWindowMenuCommands::canPerform(TarnWindowCommand command)
{
    switch (command) {
    case TarnWindowCommand::minimize:
    case TarnWindowCommand::closeWindow:
        return QApplication::activeWindow() != nullptr;
    case TarnWindowCommand::bringAllToFront:
        return !listedWindows().empty();
    case TarnWindowCommand::hideApplication: {
        const auto windows = listedWindows();
        return std::any_of(
            windows.begin(), windows.end(), [](const QWidget* window) { return !window->isMinimized(); });
    }
    case TarnWindowCommand::quit:
        return true;
    }
    return false;
}

void TarnWindowMenuCommands::perform(TarnWindowCommand command)
{
    switch (command) {
    case TarnWindowCommand::minimize:
        if (QWidget* window = QApplication::activeWindow()) {
            window->showMinimized();
        }
        return;
    case TarnWindowCommand::closeWindow:
        if (QWidget* window = QApplication::activeWindow()) {
            window->close();
        }
        return;
    case TarnWindowCommand::bringAllToFront:
        for (QWidget* window : listedWindows()) {
            window->raise();
        }
        if (QWidget* active = QApplication::activeWindow()) {
            active->raise();
        }
        return;
    case TarnWindowCommand::hideApplication:
        for (QWidget* window : listedWindows()) {
            window->showMinimized();
        }
        return;
    case TarnWindowCommand::quit:
        // Ends the event loop, and with it the launcher's run.
        QCoreApplication::quit();
        return;
    }
}

void TarnWindowMenuCommands::bringForward(QWidget& window)
{
    if (window.isMinimized()) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace tarn
