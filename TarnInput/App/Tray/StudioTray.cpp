#include "TarnInput/App/Tray/StudioTray.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

#include "TarnInput/App/Studio/ShortcutWordsMenu.h"
#include "TarnInput/App/Studio/StudioCommands.h"
#include "TarnInput/App/Tray/MenuBarInputPopoverView.h"
#include "TarnInput/App/Tray/PopoverPlacement.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/ViewModel/ScreenModels/TrayViewModel.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn::input {

StudioTray::StudioTray(TrayViewModel& viewModel, StudioCommands& commands, std::function<void()> onOpenStudio,
    std::function<void()> onQuit, QObject* parent)
    : QObject(parent)
    , m_viewModel(viewModel)
    , m_onOpenStudio(std::move(onOpenStudio))
    , m_menu(std::make_unique<ShortcutWordsMenu>(QStringLiteral("TarnInput")))
    , m_popoverWindow(std::make_unique<QWidget>(nullptr, Qt::Popup | Qt::FramelessWindowHint))
{
    m_menu->setObjectName("trayMenu");
    m_menu->addActions(commands.menu()->actions());
    m_menu->addSeparator();
    m_openStudio = m_menu->addAction(QString());
    m_openStudio->setObjectName("trayOpenStudio");
    m_quit = m_menu->addAction(QString());
    m_quit->setObjectName("trayQuit");
    connect(m_openStudio, &QAction::triggered, this, [this] { m_onOpenStudio(); });
    connect(m_quit, &QAction::triggered, this, [onQuit] { onQuit(); });

    m_popoverWindow->setObjectName("popoverWindow");
    m_popoverWindow->setWindowTitle(QStringLiteral("TarnInput"));
    auto* layout = new QVBoxLayout(m_popoverWindow.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // "Open Studio" closes the popover: the studio takes over.
    m_popover = new MenuBarInputPopoverView(
        viewModel,
        [this] {
            m_popoverWindow->hide();
            m_onOpenStudio();
        },
        std::move(onQuit));
    layout->addWidget(m_popover);

    m_icon.setToolTip(QStringLiteral("TarnInput"));
    m_icon.setContextMenu(m_menu.get());
    connect(&m_icon, &QSystemTrayIcon::activated, this, &StudioTray::onActivated);
    connect(&m_viewModel, &TrayViewModel::isTapActiveChanged, this, &StudioTray::syncIcon);
    connect(&m_viewModel, &TrayViewModel::settingsChanged, this, &StudioTray::syncIcon);
    connect(&m_viewModel, &TrayViewModel::languageChanged, this, &StudioTray::syncTexts);
    m_state = {m_viewModel.isTapActive(), m_viewModel.isOn(QuickSwitch::keyHUD)};
    m_icon.setIcon(TrayIconArt::icon(m_state));
    syncTexts();
    // The icon is always inserted; it appears whenever a tray host is (or later becomes) present.
    m_icon.show();
}

StudioTray::~StudioTray() = default;

void StudioTray::syncIcon()
{
    const TrayIconState state {m_viewModel.isTapActive(), m_viewModel.isOn(QuickSwitch::keyHUD)};
    if (state != m_state) {
        m_state = state;
        m_icon.setIcon(TrayIconArt::icon(m_state));
    }
}

void StudioTray::syncTexts()
{
    m_openStudio->setText(plainButtonText(tarnQText("Open Studio", "Stüdyoyu Aç", m_viewModel.language())));
    m_quit->setText(plainButtonText(tarnQText("Quit", "Çıkış", m_viewModel.language())));
}

void StudioTray::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::MiddleClick) {
        if (m_popoverWindow->isVisible()) {
            m_popoverWindow->hide();
        } else {
            showPopover();
        }
    }
}

void StudioTray::showPopover()
{
    const QRect iconArea = m_icon.geometry();
    const QRect anchor = iconArea.isValid() ? iconArea : QRect(QCursor::pos(), QSize(1, 1));
    QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    m_popoverWindow->adjustSize();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(anchor.topLeft(), QSize(1, 1));
    m_popoverWindow->move(popoverPosition(anchor, m_popoverWindow->size(), area));
    m_popoverWindow->show();
    m_popoverWindow->raise();
    m_popoverWindow->activateWindow();
}

} // namespace tarn::input
