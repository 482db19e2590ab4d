#include "TarnKit/UI/AppMenu/TarnAppMenuController.h"

#include <QMainWindow>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/AppMenu/tests/MenuTestWorld.h"

namespace tarn {
namespace {

using Lines = std::vector<std::string>;

TEST(TarnAppMenuController, BuildsTheMenuTreeInEnglishAndTurkish)
{
    struct Case {
        TarnLanguage language;
        Lines bar;
        Lines application;
        Lines edit;
        Lines window;
    };
    const std::vector<Case> cases {
        {TarnLanguage::en, {"TarnNotes", "File", "Edit", "Tools", "Window"},
            {"Settings… [Ctrl+,]", "—", "Send Feedback & Ideas…", "—", "Hide TarnNotes [Ctrl+H]", "—",
                "Quit TarnNotes [Ctrl+Q]"},
            {"Undo [Ctrl+Z]", "Redo [Ctrl+Shift+Z]", "—", "Cut [Ctrl+X]", "Copy [Ctrl+C]", "Paste [Ctrl+V]",
                "Select All [Ctrl+A]"},
            {"Minimize [Ctrl+M]", "Close Window [Ctrl+W]", "—", "Bring All to Front"}},
        {TarnLanguage::tr, {"TarnNotes", "Dosya", "Düzen", "Araçlar", "Pencere"},
            {"Ayarlar… [Ctrl+,]", "—", "Geri Bildirim & Fikir Gönder…", "—", "TarnNotes Uygulamasını Gizle [Ctrl+H]",
                "—", "TarnNotes Uygulamasından Çık [Ctrl+Q]"},
            {"Geri Al [Ctrl+Z]", "Yinele [Ctrl+Shift+Z]", "—", "Kes [Ctrl+X]", "Kopyala [Ctrl+C]", "Yapıştır [Ctrl+V]",
                "Tümünü Seç [Ctrl+A]"},
            {"Küçült [Ctrl+M]", "Pencereyi Kapat [Ctrl+W]", "—", "Tümünü Öne Getir"}},
    };
    for (const Case& c : cases) {
        TarnLanguage language = c.language;
        MenuWorld world([&](TarnAppMenuConfiguration& configuration) {
            configuration.language = [&language] { return language; };
            configuration.onOpenSettings = [] {};
            configuration.fileMenuItems = {TarnMenuItem {[] { return "New Note"; }, "n", Qt::ControlModifier}};
            configuration.customMenus
                = {TarnCustomMenu([&language] { return language == TarnLanguage::tr ? "Araçlar" : "Tools"; }, {})};
        });
        EXPECT_EQ(world.barTitles(), c.bar);
        EXPECT_EQ(MenuWorld::entries(world.menu("applicationMenu")), c.application);
        EXPECT_EQ(MenuWorld::entries(world.menu("fileMenu")), (Lines {"New Note [Ctrl+N]"}));
        EXPECT_EQ(MenuWorld::entries(world.menu("editMenu")), c.edit);
        // No window of the application has a title here, so the list after the commands is empty.
        EXPECT_EQ(MenuWorld::entries(world.controller->windowsMenu()), c.window);
    }
}

TEST(TarnAppMenuController, TitlesFollowALanguageChangeInTheBarAndInEveryMenuOpenedAfterIt)
{
    MenuWorld world;
    ASSERT_EQ(world.barTitles(), (Lines {"TarnNotes", "Edit", "Window"})) << "no File menu without items";

    world.language = TarnLanguage::tr;
    EXPECT_EQ(MenuWorld::entries(world.menu("editMenu")).front(), "Geri Al [Ctrl+Z]");
    EXPECT_EQ(world.menu("editMenu")->title(), QStringLiteral("Düzen")) << "an opened menu titles itself";
    EXPECT_EQ(world.barTitles(), (Lines {"TarnNotes", "Düzen", "Window"}));

    world.notifications.post(kTarnLanguageDidChangeNotification, {{"language", "tr"}});
    EXPECT_EQ(world.barTitles(), (Lines {"TarnNotes", "Düzen", "Pencere"}));
    EXPECT_EQ(MenuWorld::shown(world.controller->windowsMenu()->actions().front()->text()), "Küçült");
}

TEST(TarnAppMenuController, TheSettingsItemAndItsSeparatorComeOnlyWithAnAction)
{
    MenuWorld without;
    EXPECT_EQ(MenuWorld::entries(without.menu("applicationMenu")).front(), "Send Feedback & Ideas…");

    int opened = 0;
    MenuWorld titled([&](TarnAppMenuConfiguration& configuration) {
        configuration.onOpenSettings = [&] { ++opened; };
        configuration.settingsTitle = [] { return std::string("Preferences…"); };
    });
    QMenu* menu = titled.menu("applicationMenu");
    EXPECT_EQ(MenuWorld::entries(menu).front(), "Preferences… [Ctrl+,]");
    MenuWorld::entry(menu, "Preferences…")->trigger();
    EXPECT_EQ(opened, 1);
}

TEST(TarnAppMenuController, SendFeedbackOpensTheFeedbackPageInTheInterfaceLanguage)
{
    const std::string query
        = "?type=feature&source=desktop_app&os=Linux%206.1.0%20(x86_64)&app=tarnnotes&version=1.4.0";
    MenuWorld world;
    QMenu* menu = world.menu("applicationMenu");
    MenuWorld::entry(menu, "Send Feedback & Ideas…")->trigger();
    world.language = TarnLanguage::tr;
    MenuWorld::entries(menu);
    MenuWorld::entry(menu, "Geri Bildirim & Fikir Gönder…")->trigger();
    EXPECT_EQ(world.opener->opened(),
        (Lines {"https://harrowfen.com/en/feedback" + query, "https://harrowfen.com/tr/geri-bildirim" + query}));
}

TEST(TarnAppMenuController, CloseWindowGetsExactlyTheGivenKey)
{
    struct Case {
        std::string key;
        Qt::KeyboardModifiers modifiers;
        std::string shown;
    };
    const std::vector<Case> cases {
        {"", Qt::ControlModifier | Qt::ShiftModifier, "Close Window"},
        {"w", Qt::ControlModifier, "Close Window [Ctrl+W]"},
        {"w", Qt::ControlModifier | Qt::ShiftModifier, "Close Window [Ctrl+Shift+W]"},
        {"w", Qt::NoModifier, "Close Window [W]"},
    };
    for (const Case& c : cases) {
        MenuWorld world([&](TarnAppMenuConfiguration& configuration) {
            configuration.closeWindowKeyEquivalent = c.key;
            configuration.closeWindowModifiers = c.modifiers;
        });
        EXPECT_EQ(MenuWorld::entries(world.controller->windowsMenu())[1], c.shown);
    }
}

TEST(TarnAppMenuController, ClosuresDecideTitlesHidingAndEnablingEachTimeAMenuOpens)
{
    bool hidden = true;
    bool enabled = false;
    std::string title = "Sync";
    int actions = 0;
    MenuWorld world([&](TarnAppMenuConfiguration& configuration) {
        configuration.customMenus = {TarnCustomMenu("Tools",
            {TarnMenuItem {[&] { return title; }, "", {}, [&] { return enabled; }, {}, false, [&] { ++actions; }},
                TarnMenuDivider {[&] { return hidden; }},
                TarnMenuItem {
                    [] { return "Secret"; }, "", {}, {}, [&] { return hidden; }, false, [&] { ++actions; }}})};
    });
    QMenu* tools = world.menu("customMenu");
    EXPECT_EQ(MenuWorld::entries(tools), (Lines {"Sync"}));
    EXPECT_FALSE(MenuWorld::entry(tools, "Sync")->isEnabled());
    EXPECT_FALSE(MenuWorld::entry(tools, "Secret")->isEnabled()) << "a hidden item is also disabled";

    hidden = false;
    enabled = true;
    title = "Sync Now";
    EXPECT_EQ(MenuWorld::entries(tools), (Lines {"Sync Now", "—", "Secret"}));
    EXPECT_TRUE(MenuWorld::entry(tools, "Sync Now")->isEnabled());
    EXPECT_TRUE(MenuWorld::entry(tools, "Secret")->isEnabled());
    MenuWorld::entry(tools, "Secret")->trigger();
    EXPECT_EQ(actions, 1);
}

TEST(TarnAppMenuController, ASubmenuIsBuiltAgainEachTimeItOpensAndItsOldItemsGoAway)
{
    int openings = 0;
    std::vector<std::string> fired;
    MenuWorld world([&](TarnAppMenuConfiguration& configuration) {
        configuration.customMenus = {TarnCustomMenu("Tools",
            {TarnMenuSubmenu {[] { return "Recent"; },
                [&] {
                    ++openings;
                    std::vector<TarnMenuElement> items;
                    for (int i = 0; i < openings; ++i) {
                        const std::string name = "Note " + std::to_string(i + 1);
                        items.emplace_back(TarnMenuItem {
                            [name] { return name; }, "", {}, {}, {}, false, [&fired, name] { fired.push_back(name); }});
                    }
                    items.emplace_back(TarnMenuSubmenu {[] { return "More"; },
                        [] { return std::vector<TarnMenuElement> {TarnMenuItem {[] { return "Older"; }}}; }});
                    return items;
                }}})};
    });
    QMenu* tools = world.menu("customMenu");
    EXPECT_EQ(MenuWorld::entries(tools), (Lines {"Recent"}));
    QMenu* recent = MenuWorld::entry(tools, "Recent")->menu();
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(openings, 1) << "built once with the menu";

    const QPointer<QAction> firstNote = MenuWorld::entry(recent, "Note 1");
    const QPointer<QMenu> firstMore = MenuWorld::entry(recent, "More")->menu();
    EXPECT_EQ(MenuWorld::entries(recent), (Lines {"Note 1", "Note 2", "More"}));
    EXPECT_EQ(openings, 2);
    EXPECT_TRUE(firstNote.isNull());
    EXPECT_TRUE(firstMore.isNull()) << "a submenu of the old items goes with them";
    EXPECT_EQ(MenuWorld::entries(recent), (Lines {"Note 1", "Note 2", "Note 3", "More"}));
    MenuWorld::entry(recent, "Note 3")->trigger();
    EXPECT_EQ(fired, (Lines {"Note 3"}));
    EXPECT_EQ(MenuWorld::entries(MenuWorld::entry(recent, "More")->menu()), (Lines {"Older"}));
}

TEST(TarnAppMenuController, TheWindowMenuListsTheApplicationsTitledWindows)
{
    MenuWorld world;
    QMainWindow notes;
    notes.setWindowTitle(QStringLiteral("Notes & Lists"));
    QWidget about;
    about.setWindowTitle(QStringLiteral("About"));
    QWidget untitled;
    notes.show();
    about.show();
    untitled.show();
    notes.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&notes));

    QMenu* window = world.controller->windowsMenu();
    EXPECT_EQ(MenuWorld::entries(window),
        (Lines {
            "Minimize [Ctrl+M]", "Close Window [Ctrl+W]", "—", "Bring All to Front", "—", "About", "Notes & Lists"}));
    EXPECT_TRUE(MenuWorld::entry(window, "Notes & Lists")->isChecked());
    EXPECT_FALSE(MenuWorld::entry(window, "About")->isChecked());

    MenuWorld::entry(window, "About")->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&about));
    about.close();
    EXPECT_EQ(MenuWorld::entries(window).size(), 6U) << "the list is made again on every opening";
}

TEST(TarnAppMenuController, InstallsItsMenuBarOnAWindowThatThenOwnsIt)
{
    MenuWorld world;
    auto window = std::make_unique<QMainWindow>();
    world.controller->install(*window);
    EXPECT_EQ(window->menuBar(), world.controller->mainMenu());
    window.reset();
    EXPECT_EQ(world.controller->mainMenu(), nullptr);
}

} // namespace
} // namespace tarn
