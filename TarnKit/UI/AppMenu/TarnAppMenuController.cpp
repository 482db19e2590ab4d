#include "TarnKit/UI/AppMenu/TarnAppMenuController.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Basics/NotificationCenter.h"
#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/UI/AppMenu/TarnMenuKeyEquivalent.h"
#include "TarnKit/UI/AppMenu/TarnWindowMenuCommands.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn {

namespace {

// Qt reads "&" in a menu text as the mark of the next letter's access key.
QString menuText(const std::string& text)
{
    return toQString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QKeySequence command(std::string_view key)
{
    return tarnMenuKeySequence(key, Qt::ControlModifier);
}

} // namespace

TarnAppMenuController::TarnAppMenuController(
    TarnAppMenuConfiguration configuration, TarnAppMenuServices services, QObject* parent)
    : QObject(parent)
    , m_configuration(std::move(configuration))
    , m_services(std::move(services))
    , m_mainMenu(new QMenuBar)
{
    m_mainMenu->setObjectName(QStringLiteral("mainMenu"));
    const TitleUpdater windowTitle = [this] { return tarnText("Window", "Pencere", m_configuration.language()); };
    m_windowsMenu = newMenu(m_mainMenu, windowTitle());
    m_windowsMenu->setObjectName(QStringLiteral("windowMenu"));
    m_menuTitleUpdaters.emplace(m_windowsMenu, windowTitle);

    QMenu* applicationMenu = newMenu(m_mainMenu, m_configuration.appName);
    applicationMenu->setObjectName(QStringLiteral("applicationMenu"));
    m_mainMenu->addMenu(applicationMenu);
    buildApplicationMenu(*applicationMenu);
    if (!m_configuration.fileMenuItems.empty()) {
        QMenu* fileMenu
            = addTopLevelMenu([this] { return tarnText("File", "Dosya", m_configuration.language()); }, "fileMenu");
        addElements(*fileMenu, m_configuration.fileMenuItems);
    }
    buildEditMenu(
        *addTopLevelMenu([this] { return tarnText("Edit", "Düzen", m_configuration.language()); }, "editMenu"));
    for (const TarnCustomMenu& custom : m_configuration.customMenus) {
        addElements(*addTopLevelMenu(custom.title, "customMenu"), custom.elements);
    }
    m_mainMenu->addMenu(m_windowsMenu);
    buildWindowMenu(*m_windowsMenu);

    QCoreApplication::instance()->installEventFilter(this);
    m_languageChanges = m_services.notifications.observe(std::string(kTarnLanguageDidChangeNotification),
        // The notice may come from any thread; the menus change on this object's.
        [this](const Notification&) { QMetaObject::invokeMethod(this, &TarnAppMenuController::retitle); });
}

TarnAppMenuController::~TarnAppMenuController()
{
    m_languageChanges.cancel();
    if (m_mainMenu && m_mainMenu->parent() == nullptr) {
        delete m_mainMenu;
    }
}

QMenuBar* TarnAppMenuController::mainMenu() const
{
    return m_mainMenu;
}

QMenu* TarnAppMenuController::windowsMenu() const
{
    return m_windowsMenu;
}

void TarnAppMenuController::install(QMainWindow& window)
{
    window.setMenuBar(m_mainMenu);
    // A child that comes to a window already shown stays hidden until told, and a hidden bar's
    // keys do nothing.
    m_mainMenu->show();
}

bool TarnAppMenuController::isTextInputFocused()
{
    return TarnTextInputCommands::isTextInputFocused();
}

QMenu* TarnAppMenuController::newMenu(QWidget* parent, const std::string& title)
{
    auto* menu = new QMenu(menuText(title), parent);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { menuNeedsUpdate(menu); });
    return menu;
}

QMenu* TarnAppMenuController::addTopLevelMenu(TitleUpdater title, const char* objectName)
{
    QMenu* menu = newMenu(m_mainMenu, title());
    menu->setObjectName(QString::fromLatin1(objectName));
    m_menuTitleUpdaters.emplace(menu, std::move(title));
    m_mainMenu->addMenu(menu);
    return menu;
}

void TarnAppMenuController::buildApplicationMenu(QMenu& menu)
{
    const std::string& name = m_configuration.appName;
    if (m_configuration.onOpenSettings) {
        ItemBinding settings;
        settings.title = m_configuration.settingsTitle
            ? m_configuration.settingsTitle
            : TitleUpdater([this] { return tarnText("Settings…", "Ayarlar…", m_configuration.language()); });
        settings.action = m_configuration.onOpenSettings;
        addBoundItem(menu, std::move(settings), command(","));
        menu.addSeparator();
    }
    ItemBinding feedback;
    feedback.title = [this] {
        return tarnText("Send Feedback & Ideas…", "Geri Bildirim & Fikir Gönder…", m_configuration.language());
    };
    feedback.action = [this] {
        m_services.feedback.openInBrowser(m_configuration.appName,
            TarnAppVersion::current(m_services.buildInfo, "1.0.0", "100"), TarnFeedbackKind::feature,
            m_configuration.language(), std::nullopt);
    };
    addBoundItem(menu, std::move(feedback), {});
    menu.addSeparator();
    // Desktops have no hidden applications and no way for one to hide the others, so hiding
    // minimises this application's windows and "Hide Others" and "Show All" are left out.
    addStandardItem(menu,
        [this, name] { return tarnText("Hide " + name, name + " Uygulamasını Gizle", m_configuration.language()); },
        command("h"),
        {[] { return TarnWindowMenuCommands::canPerform(TarnWindowCommand::hideApplication); },
            [] { TarnWindowMenuCommands::perform(TarnWindowCommand::hideApplication); }});
    menu.addSeparator();
    addStandardItem(menu,
        [this, name] { return tarnText("Quit " + name, name + " Uygulamasından Çık", m_configuration.language()); },
        command("q"), {[] { return true; }, [] { TarnWindowMenuCommands::perform(TarnWindowCommand::quit); }});
}

void TarnAppMenuController::buildEditMenu(QMenu& menu)
{
    const TarnEditMenuOverrides overrides = m_configuration.editOverrides.value_or(TarnEditMenuOverrides {});
    addEditCommand(
        menu, [this] { return tarnText("Undo", "Geri Al", m_configuration.language()); }, command("z"),
        TarnTextCommand::undo, overrides.undo, overrides.canUndo);
    addEditCommand(
        menu, [this] { return tarnText("Redo", "Yinele", m_configuration.language()); },
        tarnMenuKeySequence("z", Qt::ControlModifier | Qt::ShiftModifier), TarnTextCommand::redo, overrides.redo,
        overrides.canRedo);
    menu.addSeparator();
    addEditCommand(
        menu, [this] { return tarnText("Cut", "Kes", m_configuration.language()); }, command("x"), TarnTextCommand::cut,
        overrides.cut);
    addEditCommand(
        menu, [this] { return tarnText("Copy", "Kopyala", m_configuration.language()); }, command("c"),
        TarnTextCommand::copy, overrides.copy);
    addEditCommand(
        menu, [this] { return tarnText("Paste", "Yapıştır", m_configuration.language()); }, command("v"),
        TarnTextCommand::paste, overrides.paste);
    if (overrides.duplicate) {
        ItemBinding duplicate;
        duplicate.title = [this] { return tarnText("Duplicate", "Çoğalt", m_configuration.language()); };
        duplicate.action = overrides.duplicate;
        addBoundItem(menu, std::move(duplicate), command("d"));
    }
    addEditCommand(
        menu, [this] { return tarnText("Select All", "Tümünü Seç", m_configuration.language()); }, command("a"),
        TarnTextCommand::selectAll, overrides.selectAll);
}

void TarnAppMenuController::addEditCommand(QMenu& menu, TitleUpdater title, const QKeySequence& key,
    TarnTextCommand textCommand, std::function<void()> override, std::function<bool()> canOverride)
{
    if (!override) {
        addStandardItem(menu, std::move(title), key,
            {[textCommand] { return TarnTextInputCommands::canPerform(textCommand); },
                [textCommand] { TarnTextInputCommands::perform(textCommand); }});
        return;
    }
    ItemBinding binding;
    binding.title = std::move(title);
    if (canOverride) {
        // A focused text field takes the command itself, whatever the application could do.
        binding.isEnabled = [canOverride] { return isTextInputFocused() || canOverride(); };
    }
    binding.action = [textCommand, override] {
        if (isTextInputFocused()) {
            TarnTextInputCommands::perform(textCommand);
        } else {
            override();
        }
    };
    addBoundItem(menu, std::move(binding), key);
}

void TarnAppMenuController::buildWindowMenu(QMenu& menu)
{
    addStandardItem(menu, [this] { return tarnText("Minimize", "Küçült", m_configuration.language()); }, command("m"),
        {[] { return TarnWindowMenuCommands::canPerform(TarnWindowCommand::minimize); },
            [] { TarnWindowMenuCommands::perform(TarnWindowCommand::minimize); }});
    addStandardItem(menu, [this] { return tarnText("Close Window", "Pencereyi Kapat", m_configuration.language()); },
        tarnMenuKeySequence(m_configuration.closeWindowKeyEquivalent, m_configuration.closeWindowModifiers),
        {[] { return TarnWindowMenuCommands::canPerform(TarnWindowCommand::closeWindow); },
            [] { TarnWindowMenuCommands::perform(TarnWindowCommand::closeWindow); }});
    menu.addSeparator();
    addStandardItem(menu,
        [this] { return tarnText("Bring All to Front", "Tümünü Öne Getir", m_configuration.language()); }, {},
        {[] { return TarnWindowMenuCommands::canPerform(TarnWindowCommand::bringAllToFront); },
            [] { TarnWindowMenuCommands::perform(TarnWindowCommand::bringAllToFront); }});
}

void TarnAppMenuController::addElements(QMenu& menu, const std::vector<TarnMenuElement>& elements)
{
    for (const TarnMenuElement& element : elements) {
        std::visit([this, &menu](const auto& entry) { addElement(menu, entry); }, element.value());
    }
}

void TarnAppMenuController::addElement(QMenu& menu, const TarnMenuItem& item)
{
    addBoundItem(menu, {item.title, item.isEnabled, item.isHidden, item.skipWhenEditingText, item.action},
        tarnMenuKeySequence(item.keyEquivalent, item.modifiers));
}

void TarnAppMenuController::addElement(QMenu& menu, const TarnMenuDivider& divider)
{
    QAction* separator = menu.addSeparator();
    if (divider.isHidden) {
        separator->setVisible(!divider.isHidden());
        m_hiddenChecks.emplace(separator, divider.isHidden);
    }
}

void TarnAppMenuController::addElement(QMenu& menu, const TarnMenuSubmenu& submenu)
{
    QMenu* child = newMenu(&menu, submenu.title());
    m_menuTitleUpdaters.emplace(child, submenu.title);
    m_titleUpdaters.emplace(child->menuAction(), submenu.title);
    m_dynamicSubmenuBuilders.emplace(child, submenu.items);
    menu.addMenu(child);
    addElements(*child, submenu.items());
}

QAction* TarnAppMenuController::addBoundItem(QMenu& menu, ItemBinding binding, const QKeySequence& key)
{
    QAction* action = menu.addAction(menuText(binding.title()));
    action->setShortcut(key);
    // Like a menu bar shared by the whole application, its keys work in every window of it.
    action->setShortcutContext(Qt::ApplicationShortcut);
    if (binding.isHidden) {
        action->setVisible(!binding.isHidden());
    }
    connect(action, &QAction::triggered, this, [this, action] { handleMenuAction(action); });
    m_itemBindings.emplace(action, std::move(binding));
    return action;
}

QAction* TarnAppMenuController::addStandardItem(
    QMenu& menu, TitleUpdater title, const QKeySequence& key, StandardCommand standard)
{
    QAction* action = menu.addAction(menuText(title()));
    action->setShortcut(key);
    action->setShortcutContext(Qt::ApplicationShortcut);
    connect(action, &QAction::triggered, this, [perform = standard.perform] { perform(); });
    m_titleUpdaters.emplace(action, std::move(title));
    m_standardCommands.emplace(action, std::move(standard));
    return action;
}

void TarnAppMenuController::menuNeedsUpdate(QMenu* menu)
{
    if (const auto title = m_menuTitleUpdaters.find(menu); title != m_menuTitleUpdaters.end()) {
        menu->setTitle(menuText(title->second()));
    }
    if (const auto builder = m_dynamicSubmenuBuilders.find(menu); builder != m_dynamicSubmenuBuilders.end()) {
        const auto build = builder->second;
        unbind(*menu);
        for (QAction* action : menu->actions()) {
            delete action->menu();
        }
        menu->clear();
        addElements(*menu, build());
        return;
    }
    if (menu == m_windowsMenu) {
        refreshWindowList();
    }
    for (QAction* action : menu->actions()) {
        updateItem(action);
    }
}

void TarnAppMenuController::updateItem(QAction* action)
{
    if (const auto binding = m_itemBindings.find(action); binding != m_itemBindings.end()) {
        action->setEnabled(validate(action, binding->second));
        return;
    }
    if (const auto title = m_titleUpdaters.find(action); title != m_titleUpdaters.end()) {
        action->setText(menuText(title->second()));
    }
    if (const auto hidden = m_hiddenChecks.find(action); hidden != m_hiddenChecks.end()) {
        action->setVisible(!hidden->second());
    }
    if (const auto standard = m_standardCommands.find(action); standard != m_standardCommands.end()) {
        action->setEnabled(standard->second.canPerform());
    }
}

bool TarnAppMenuController::validate(QAction* action, const ItemBinding& binding)
{
    action->setText(menuText(binding.title()));
    const bool hidden = binding.isHidden && binding.isHidden();
    action->setVisible(!hidden);
    if (hidden) {
        return false;
    }
    if (binding.skipWhenEditingText && isTextInputFocused()) {
        return false;
    }
    return !binding.isEnabled || binding.isEnabled();
}

void TarnAppMenuController::handleMenuAction(QAction* action)
{
    const auto binding = m_itemBindings.find(action);
    if (binding == m_itemBindings.end() || !binding->second.action) {
        return;
    }
    // A copy: the action may rebuild the menus and with them the bindings.
    const auto run = binding->second.action;
    run();
}

void TarnAppMenuController::unbind(QMenu& menu)
{
    for (QAction* action : menu.actions()) {
        m_itemBindings.erase(action);
        m_hiddenChecks.erase(action);
        m_titleUpdaters.erase(action);
        if (QMenu* submenu = action->menu()) {
            unbind(*submenu);
            m_menuTitleUpdaters.erase(submenu);
            m_dynamicSubmenuBuilders.erase(submenu);
        }
    }
}

void TarnAppMenuController::refreshWindowList()
{
    for (const QPointer<QAction>& action : m_windowListActions) {
        delete action.data();
    }
    m_windowListActions.clear();
    const std::vector<QWidget*> windows = TarnWindowMenuCommands::listedWindows();
    if (windows.empty()) {
        return;
    }
    m_windowListActions.emplace_back(m_windowsMenu->addSeparator());
    const QWidget* active = QApplication::activeWindow();
    for (QWidget* window : windows) {
        QAction* action
            = m_windowsMenu->addAction(window->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setCheckable(true);
        action->setChecked(window == active);
        connect(action, &QAction::triggered, this, [target = QPointer<QWidget>(window)] {
            if (target) {
                TarnWindowMenuCommands::bringForward(*target);
            }
        });
        m_windowListActions.emplace_back(action);
    }
}

void TarnAppMenuController::retitle()
{
    for (const auto& [menu, title] : m_menuTitleUpdaters) {
        menu->setTitle(menuText(title()));
    }
    for (const auto& [action, binding] : m_itemBindings) {
        action->setText(menuText(binding.title()));
    }
    for (const auto& [action, title] : m_titleUpdaters) {
        action->setText(menuText(title()));
    }
}

bool TarnAppMenuController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride) {
        return QObject::eventFilter(watched, event);
    }
    // Qt looks a key up among the shortcuts right after this; the items it could fire decide now
    // whether they may, as a menu bar asks its items before a key equivalent fires.
    const auto* key = static_cast<const QKeyEvent*>(event);
    const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    std::vector<QAction*> candidates;
    for (const auto& [action, binding] : m_itemBindings) {
        if (action->shortcut() == pressed) {
            candidates.push_back(action);
        }
    }
    for (const auto& [action, standard] : m_standardCommands) {
        if (action->shortcut() == pressed) {
            candidates.push_back(action);
        }
    }
    for (QAction* action : candidates) {
        updateItem(action);
    }
    return false;
}

} // namespace tarn
