#include "TarnInput/App/StudioApplication.h"

#include <QCoreApplication>
#include <QMenu>
#include <QVBoxLayout>

#include "TarnInput/App/MainInputStudioView.h"
#include "TarnInput/App/StudioCommands.h"
#include "TarnInput/App/StudioTray.h"
#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnKit/UI/TarnProductPalette.h"

namespace tarn::input {

StudioApplication::StudioApplication(
    InputStudioViewModel& viewModel, const TarnPermissionCenter& permissions, QObject* parent)
    : QObject(parent)
    , m_viewModel(viewModel)
    , m_commands(std::make_unique<StudioCommands>(viewModel))
{
    m_view = new MainInputStudioView(viewModel, accentColor(TarnProductPalette::deepAbyss), permissions);
    m_window.reset(m_view);
    m_window->setObjectName("studioWindow");
    m_window->setWindowTitle(windowTitle());
    m_window->setMinimumSize(kMinimumWidth, kMinimumHeight);
    m_window->resize(kDefaultWidth, kDefaultHeight);
    // The window's shortcuts; the header's context menu is the command menu.
    m_window->addActions(m_commands->menu()->actions());
    m_view->header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view->header(), &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { m_commands->menu()->popup(m_view->header()->mapToGlobal(at)); });

    m_tray = std::make_unique<StudioTray>(
        viewModel, *m_commands, [this] { openStudio(); }, [this] { quit(); });
    // Whatever ends the event loop (the session's end included) stops the engine first.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &StudioApplication::stopEngine);
}

StudioApplication::~StudioApplication() = default;

QString StudioApplication::windowTitle()
{
    return QStringLiteral("TarnInput — by Harrowfen");
}

QWidget* StudioApplication::studioWindow() const
{
    return m_window.get();
}

void StudioApplication::openStudio()
{
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void StudioApplication::quit()
{
    stopEngine();
    QCoreApplication::exit(0);
}

void StudioApplication::stopEngine()
{
    // Releases any grab and every synthetic key or button before anything else goes.
    m_viewModel.interceptor().stop();
}

} // namespace tarn::input
