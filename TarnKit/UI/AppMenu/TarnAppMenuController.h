#pragma once

// Builds an application's menu bar and keeps it true: a first menu named after the application
// (Settings…, Send Feedback & Ideas…, Hide <name>, Quit <name>), File when the application gives
// items for it, Edit, the application's own menus, and Window (Minimize, Close Window, Bring All
// to Front, then the application's windows). Every title is an English/Turkish pair chosen for
// the current interface language; titles are set again when the language changes and whenever a
// menu opens. When a menu opens, and before a key equivalent fires, the items ask their closures
// whether they are hidden or enabled; submenus described by the application are built again each
// time they open. Ctrl stands where other desktops use Command. Runs on the interface thread.

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <QObject>
#include <QPointer>

#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Foundation/Identity/BuildInfo.h"
#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/AppMenu/TarnCustomMenu.h"
#include "TarnKit/UI/AppMenu/TarnEditMenuOverrides.h"
#include "TarnKit/UI/AppMenu/TarnMenuElement.h"
#include "TarnKit/UI/AppMenu/TarnTextInputCommands.h"

class QAction;
class QKeySequence;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace tarn {

class NotificationCenter;
class TarnFeedbackService;

struct TarnAppMenuConfiguration {
    std::string appName;
    std::function<TarnLanguage()> language;
    // Empty: "Settings…".
    std::function<std::string()> settingsTitle;
    // Empty: no Settings item.
    std::function<void()> onOpenSettings;
    // Empty: no File menu.
    std::vector<TarnMenuElement> fileMenuItems;
    std::optional<TarnEditMenuOverrides> editOverrides;
    std::vector<TarnCustomMenu> customMenus;
    // Empty: Close Window has no key equivalent.
    std::string closeWindowKeyEquivalent;
    Qt::KeyboardModifiers closeWindowModifiers;
};

struct TarnAppMenuServices {
    // Opens the feedback page of "Send Feedback & Ideas…".
    const TarnFeedbackService& feedback;
    // The version the feedback page is told.
    BuildInfo buildInfo;
    // Where the interface language announces its changes.
    NotificationCenter& notifications;
};

class TarnAppMenuController : public QObject {
    Q_OBJECT

public:
    TarnAppMenuController(
        TarnAppMenuConfiguration configuration, TarnAppMenuServices services, QObject* parent = nullptr);
    ~TarnAppMenuController() override;

    // Owned by this controller until a window takes it.
    QMenuBar* mainMenu() const;
    QMenu* windowsMenu() const;
    // Puts the menu bar on `window`, which then owns it.
    void install(QMainWindow& window);

    // A line edit or text editor of the active window has the keyboard.
    static bool isTextInputFocused();

    // Sets the title of every menu and item again, in the current language.
    void retitle();

protected:
    // Validates the items whose key equivalent is about to fire.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ItemBinding {
        std::function<std::string()> title;
        std::function<bool()> isEnabled;
        std::function<bool()> isHidden;
        bool skipWhenEditingText = false;
        std::function<void()> action;
    };
    // What a platform's responder chain does for an item no closure owns: whether it can act now
    // and acting.
    struct StandardCommand {
        std::function<bool()> canPerform;
        std::function<void()> perform;
    };
    using TitleUpdater = std::function<std::string()>;

    // A new menu whose opening this controller prepares; titled now and, with an updater, again later.
    QMenu* newMenu(QWidget* parent, const std::string& title);
    QMenu* addTopLevelMenu(TitleUpdater title, const char* objectName);
    void buildApplicationMenu(QMenu& menu);
    void buildEditMenu(QMenu& menu);
    void buildWindowMenu(QMenu& menu);
    void addEditCommand(QMenu& menu, TitleUpdater title, const QKeySequence& key, TarnTextCommand command,
        std::function<void()> override, std::function<bool()> canOverride = {});

    // The element rule, shared by the File menu, the application's menus and their submenus.
    void addElements(QMenu& menu, const std::vector<TarnMenuElement>& elements);
    void addElement(QMenu& menu, const TarnMenuItem& item);
    void addElement(QMenu& menu, const TarnMenuDivider& divider);
    void addElement(QMenu& menu, const TarnMenuSubmenu& submenu);

    QAction* addBoundItem(QMenu& menu, ItemBinding binding, const QKeySequence& key);
    QAction* addStandardItem(QMenu& menu, TitleUpdater title, const QKeySequence& key, StandardCommand command);

    void menuNeedsUpdate(QMenu* menu);
    void updateItem(QAction* action);
    // Whether a bound item may act now; sets its title and hidden state on the way.
    bool validate(QAction* action, const ItemBinding& binding);
    void handleMenuAction(QAction* action);
    void unbind(QMenu& menu);
    void refreshWindowList();

    TarnAppMenuConfiguration m_configuration;
    TarnAppMenuServices m_services;
    QPointer<QMenuBar> m_mainMenu;
    QPointer<QMenu> m_windowsMenu;
    std::unordered_map<QAction*, ItemBinding> m_itemBindings;
    std::unordered_map<QAction*, std::function<bool()>> m_hiddenChecks;
    std::unordered_map<QAction*, TitleUpdater> m_titleUpdaters;
    std::unordered_map<QMenu*, TitleUpdater> m_menuTitleUpdaters;
    std::unordered_map<QMenu*, std::function<std::vector<TarnMenuElement>()>> m_dynamicSubmenuBuilders;
    std::unordered_map<QAction*, StandardCommand> m_standardCommands;
    std::vector<QPointer<QAction>> m_windowListActions;
    // Last, so that no notice arrives while the rest is torn down.
    Subscription m_languageChanges;
};

} // namespace tarn
