#include "TarnKit/UI/AppMenu/TarnMenuKeyEquivalent.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(TarnMenuKeyEquivalent, MakesQtShortcutsWithCtrlWhereCommandWouldBe)
{
    struct Case {
        std::string key;
        Qt::KeyboardModifiers modifiers;
        std::string shortcut;
    };
    const std::vector<Case> cases {
        {"z", Qt::ControlModifier, "Ctrl+Z"},
        {"Z", Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
        {",", Qt::ControlModifier, "Ctrl+,"},
        {"+", Qt::ControlModifier, "Ctrl++"},
        {"h", Qt::ControlModifier | Qt::AltModifier, "Ctrl+Alt+H"},
        {"ş", Qt::ControlModifier, "Ctrl+Ş"},
        {"F5", Qt::NoModifier, "F5"},
        {"Delete", Qt::ControlModifier, "Ctrl+Del"},
        {"", Qt::ControlModifier, ""},
        {"Ctrl+K", Qt::NoModifier, ""},
        {"no such key", Qt::ControlModifier, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            tarnMenuKeySequence(c.key, c.modifiers).toString(QKeySequence::PortableText).toStdString(), c.shortcut)
            << c.key;
    }
}

} // namespace
} // namespace tarn
