#include "TarnInput/App/StudioApplication.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>

#include "TarnInput/App/Studio/MainInputStudioView.h"
#include "TarnInput/App/Studio/StudioCommands.h"
#include "TarnInput/App/Tray/StudioTray.h"
#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/TrayViewModel.h"
#include "TarnKit/Foundation/Basics/NotificationCenter.h"
#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"
#include "TarnKit/Foundation/Logging/LogSink.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace tarn::input {

namespace {

void runLater(std::chrono::milliseconds delay, std::function<void()> task)
{
    QTimer::singleShot(delay, qApp, std::move(task));
}

} // namespace

StudioApplication::StudioApplication(InputStudioViewModel& viewModel, LogSink& log, const StudioKit& kit,
    std::function<void()> leaveEventLoop, QObject* parent)
    : QObject(parent)
    , m_viewModel(viewModel)
    , m_log(log)
    , m_leaveEventLoop(std::move(leaveEventLoop))
    , m_trayViewModel(std::make_unique<TrayViewModel>(viewModel, viewModel, viewModel))
    , m_commands(std::make_unique<StudioCommands>(*m_trayViewModel))
    , m_view(std::make_unique<MainInputStudioView>(viewModel, accentColor(TarnProductPalette::deepAbyss), kit))
    , m_activation(m_windows, m_notifications, runLater)
{
    m_view->setObjectName("studioWindow");
    m_view->setWindowTitle(windowTitle());
    m_view->setMinimumSize(kMinimumWidth, kMinimumHeight);
    m_view->resize(kDefaultWidth, kDefaultHeight);
    // The window's shortcuts; the header's context menu is the command menu.
    m_view->addActions(m_commands->menu()->actions());
    m_view->header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view->header(), &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { m_commands->menu()->popup(m_view->header()->mapToGlobal(at)); });

    m_tray = std::make_unique<StudioTray>(
        *m_trayViewModel, *m_commands, [this] { openStudio(); }, [this] { quit(); });
    m_reopenNotice
        = m_notifications.observe(std::string(tarnReopenStudioWindow), [this](const Notification&) { openStudio(); });
    applyLayoutDirection();
    connect(&m_viewModel, &InputStudioViewModel::languageChanged, this, &StudioApplication::applyLayoutDirection);
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
    return m_view.get();
}

void StudioApplication::launch(const TarnAppActivationDelegate::LaunchFacts& facts)
{
    m_view->show();
    m_activation.applicationDidFinishLaunching(facts);
}

void StudioApplication::reopen()
{
    m_log.log(TarnLogLevel::info, "lifecycle", "Launched again: bringing the studio window to the front.");
    m_activation.applicationShouldHandleReopen(m_view->isVisible());
}

void StudioApplication::openStudio()
{
    m_view->show();
    m_windows.activateIgnoringOtherApps();
    m_activation.bringStudioWindowToFront();
}

void StudioApplication::quit()
{
    m_log.log(TarnLogLevel::info, "lifecycle", "Quit: stopping the engine and leaving.");
    stopEngine();
    m_leaveEventLoop();
}

void StudioApplication::applyLayoutDirection()
{
    // Every window without a direction of its own follows the application's: Arabic, Persian and
    // Hebrew mirror the studio, the popover, the sheet and the overlays alike.
    const bool rightToLeft = layoutDirection(m_viewModel.language()) == TarnLayoutDirection::rightToLeft;
    QGuiApplication::setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
}

void StudioApplication::stopEngine()
{
    // Releases any grab and every synthetic key or button before anything else goes.
    m_viewModel.stopEngine();
}

} // namespace tarn::input
