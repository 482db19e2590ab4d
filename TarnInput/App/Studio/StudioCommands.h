#pragma once

// The "TarnInput" command menu: toggle the input engine (Alt+Super+E), toggle the key HUD
// (Alt+Super+H), and, after a divider, reset the settings. Labels follow the view model's
// language; the menu's title never changes. The same actions serve the studio window's menu and
// shortcuts and the tray icon's menu.
//
// Alt+Super+H is also the view model's global hotkey. While that grab holds, the desktop hands
// the key to the grab alone and the window never sees it, so one press toggles once; the window
// shortcut only acts where the grab could not be made.

#include <memory>

#include <QObject>

class QAction;
class QMenu;

namespace tarn::input {

class TrayViewModel;

class StudioCommands : public QObject {
    Q_OBJECT

public:
    explicit StudioCommands(TrayViewModel& viewModel, QObject* parent = nullptr);
    ~StudioCommands() override;

    QMenu* menu() const { return m_menu.get(); }
    QAction* toggleEngineAction() const { return m_toggleEngine; }
    QAction* toggleKeyHUDAction() const { return m_toggleKeyHUD; }
    QAction* resetAction() const { return m_reset; }

private:
    void syncTexts();

    TrayViewModel& m_viewModel;
    std::unique_ptr<QMenu> m_menu;
    QAction* m_toggleEngine = nullptr;
    QAction* m_toggleKeyHUD = nullptr;
    QAction* m_reset = nullptr;
};

} // namespace tarn::input
