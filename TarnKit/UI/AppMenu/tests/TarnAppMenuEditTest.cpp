// The Edit menu and the keys of the menu items while a text field has the keyboard.

#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "TarnKit/UI/AppMenu/TarnAppMenuController.h"
#include "TarnKit/UI/AppMenu/tests/MenuTestWorld.h"

namespace tarn {
namespace {

using Lines = std::vector<std::string>;

// An active window with a line edit and a button, either of which can take the keyboard.
struct EditingWindow {
    EditingWindow()
    {
        auto* content = new QWidget;
        auto* layout = new QVBoxLayout(content);
        field = new QLineEdit;
        button = new QPushButton(QStringLiteral("Button"));
        layout->addWidget(field);
        layout->addWidget(button);
        window.setCentralWidget(content);
        window.setWindowTitle(QStringLiteral("Editing"));
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void focus(QWidget* widget)
    {
        widget->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([widget] { return widget->hasFocus(); }, 2000));
    }

    QMainWindow window;
    QLineEdit* field;
    QPushButton* button;
};

TEST(TarnAppMenuEdit, WithOnlyDuplicateGivenItSitsBetweenPasteAndSelectAll)
{
    int duplicates = 0;
    MenuWorld world([&](TarnAppMenuConfiguration& configuration) {
        configuration.editOverrides = TarnEditMenuOverrides {};
        configuration.editOverrides->duplicate = [&] { ++duplicates; };
    });
    QMenu* edit = world.menu("editMenu");
    EXPECT_EQ(MenuWorld::entries(edit),
        (Lines {"Undo [Ctrl+Z]", "Redo [Ctrl+Shift+Z]", "—", "Cut [Ctrl+X]", "Copy [Ctrl+C]", "Paste [Ctrl+V]",
            "Duplicate [Ctrl+D]", "Select All [Ctrl+A]"}));
    MenuWorld::entry(edit, "Duplicate")->trigger();
    EXPECT_EQ(duplicates, 1);
}

TEST(TarnAppMenuEdit, WithoutOverridesTheCommandsActOnTheFocusedTextField)
{
    MenuWorld world;
    EditingWindow editing;
    QMenu* edit = world.menu("editMenu");
    MenuWorld::entries(edit);
    for (const char* title : {"Undo", "Redo", "Cut", "Copy", "Paste", "Select All"}) {
        EXPECT_FALSE(MenuWorld::entry(edit, title)->isEnabled()) << title << " without a text field";
    }

    editing.focus(editing.field);
    EXPECT_TRUE(TarnAppMenuController::isTextInputFocused());
    QTest::keyClicks(editing.field, QStringLiteral("draft"));
    MenuWorld::entries(edit);
    EXPECT_TRUE(MenuWorld::entry(edit, "Undo")->isEnabled());
    EXPECT_FALSE(MenuWorld::entry(edit, "Copy")->isEnabled()) << "nothing is selected";
    MenuWorld::entry(edit, "Select All")->trigger();
    EXPECT_EQ(editing.field->selectedText(), QStringLiteral("draft"));
    MenuWorld::entries(edit);
    EXPECT_TRUE(MenuWorld::entry(edit, "Cut")->isEnabled());
    MenuWorld::entry(edit, "Undo")->trigger();
    EXPECT_EQ(editing.field->text(), QString());

    editing.focus(editing.button);
    EXPECT_FALSE(TarnAppMenuController::isTextInputFocused());
}

TEST(TarnAppMenuEdit, AnOverrideRunsUnlessATextFieldHasTheKeyboard)
{
    bool canUndo = false;
    Lines calls;
    MenuWorld world([&](TarnAppMenuConfiguration& configuration) {
        TarnEditMenuOverrides overrides;
        overrides.undo = [&] { calls.emplace_back("undo"); };
        overrides.canUndo = [&] { return canUndo; };
        overrides.copy = [&] { calls.emplace_back("copy"); };
        configuration.editOverrides = overrides;
    });
    EditingWindow editing;
    QMenu* edit = world.menu("editMenu");

    editing.focus(editing.button);
    MenuWorld::entries(edit);
    EXPECT_FALSE(MenuWorld::entry(edit, "Undo")->isEnabled());
    EXPECT_TRUE(MenuWorld::entry(edit, "Copy")->isEnabled()) << "an override without a test is always enabled";
    canUndo = true;
    MenuWorld::entries(edit);
    MenuWorld::entry(edit, "Undo")->trigger();
    MenuWorld::entry(edit, "Copy")->trigger();
    EXPECT_EQ(calls, (Lines {"undo", "copy"}));

    canUndo = false;
    editing.focus(editing.field);
    QTest::keyClicks(editing.field, QStringLiteral("x"));
    MenuWorld::entries(edit);
    EXPECT_TRUE(MenuWorld::entry(edit, "Undo")->isEnabled()) << "the field undoes, whatever canUndo says";
    MenuWorld::entry(edit, "Undo")->trigger();
    EXPECT_EQ(editing.field->text(), QString());
    EXPECT_EQ(calls.size(), 2U);
}

TEST(TarnAppMenuEdit, AnItemThatSkipsWhileEditingLeavesItsKeyToTheTextField)
{
    int findings = 0;
    bool enabled = true;
    MenuWorld world([&](TarnAppMenuConfiguration& configuration) {
        configuration.customMenus = {TarnCustomMenu("Find",
            {TarnMenuItem {[] { return "Find Next"; }, "g", Qt::ControlModifier, [&] { return enabled; }, {}, true,
                [&] { ++findings; }}})};
    });
    EditingWindow editing;
    // A menu bar's keys work while it is shown, on a window.
    world.controller->install(editing.window);
    QMenu* find = world.menu("customMenu");

    editing.focus(editing.button);
    QTest::keyClick(&editing.window, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(findings, 1) << "the key fires the item";
    enabled = false;
    QTest::keyClick(&editing.window, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(findings, 1) << "asked again before firing";
    enabled = true;
    QTest::keyClick(&editing.window, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(findings, 2) << "and enabled again once it may";

    editing.focus(editing.field);
    MenuWorld::entries(find);
    EXPECT_FALSE(MenuWorld::entry(find, "Find Next")->isEnabled());
    QTest::keyClick(editing.field, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(findings, 2);

    editing.focus(editing.button);
    MenuWorld::entries(find);
    EXPECT_TRUE(MenuWorld::entry(find, "Find Next")->isEnabled());
}

} // namespace
} // namespace tarn
