#include "TarnInput/Screens/Controls/RunningAppsMenuButton.h"

#include <QMenu>

#include "TarnInput/Screens/Widgets/ScreenParts.h"

namespace tarn::input {

RunningAppsMenuButton::RunningAppsMenuButton(const QString& title, Provider provider, QWidget* parent)
    : QPushButton(title, parent)
    , m_provider(std::move(provider))
    , m_menu(new QMenu(this))
{
    m_menu->setObjectName("runningAppsMenu");
    setMenu(m_menu);
    connect(m_menu, &QMenu::aboutToShow, this, &RunningAppsMenuButton::fillMenu);
}

QString RunningAppsMenuButton::entryText(const RunningApplication& application)
{
    return QString::fromStdString(application.name) + " (" + QString::fromStdString(application.bundleID) + ")";
}

QMenu* RunningAppsMenuButton::refreshedMenu()
{
    fillMenu();
    return m_menu;
}

void RunningAppsMenuButton::fillMenu()
{
    m_menu->clear();
    if (!m_provider) {
        return;
    }
    for (const auto& application : m_provider()) {
        // An application's name may hold "&", which a menu would read as a shortcut marker.
        auto* action = m_menu->addAction(plainButtonText(entryText(application)));
        const auto bundleID = QString::fromStdString(application.bundleID);
        const auto name = QString::fromStdString(application.name);
        connect(action, &QAction::triggered, this, [this, bundleID, name] { emit applicationChosen(bundleID, name); });
    }
}

} // namespace tarn::input
