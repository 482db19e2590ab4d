#pragma once

// What the screen tests do as a user would: choose in a picker or a running-application menu,
// and find a control by name (failing the test when it is missing).

#include <QComboBox>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/RunningAppsMenuButton.h"

namespace tarn::input::testing {

template <typename Control> Control* control(const QWidget& screen, const char* name)
{
    auto* found = screen.findChild<Control*>(name);
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
}

// A user's choice of an entry: the picker shows it and reports the activation.
inline void choose(QComboBox& picker, int index)
{
    picker.setCurrentIndex(index);
    emit picker.activated(index);
}

inline QStringList entries(const QComboBox& picker)
{
    QStringList texts;
    for (int index = 0; index < picker.count(); ++index) {
        texts << picker.itemText(index);
    }
    return texts;
}

inline void chooseMenuEntry(RunningAppsMenuButton& button, int index)
{
    button.refreshedMenu()->actions().at(index)->trigger();
}

} // namespace tarn::input::testing
