#pragma once

// A pull-down button listing the running applications, read anew each time it opens, one entry
// "<name> (<bundleID>)" per application in the order given. Choosing one signals its identity.

#include <functional>
#include <vector>

#include <QPushButton>

#include "TarnInputCore/Model/Profiles/RunningApplication.h"

class QMenu;

namespace tarn::input {

class RunningAppsMenuButton : public QPushButton {
    Q_OBJECT

public:
    using Provider = std::function<std::vector<RunningApplication>()>;

    RunningAppsMenuButton(const QString& title, Provider provider, QWidget* parent = nullptr);

    // The entries the menu would show now (filled as when it opens).
    QMenu* refreshedMenu();
    static QString entryText(const RunningApplication& application);

signals:
    void applicationChosen(const QString& bundleID, const QString& name);

private:
    void fillMenu();

    Provider m_provider;
    QMenu* m_menu;
};

} // namespace tarn::input
