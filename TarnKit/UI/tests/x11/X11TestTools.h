#pragma once

// What the kit's X tests do on the real display: run an X client (xdotool, which injects through
// XTest; xprop; xwininfo) to its end while the test keeps answering the X server, and name windows
// as those tools do.

#include <QDeadlineTimer>
#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace tarn::x11test {

// Bounded: a tool that hangs fails the test instead of stopping the run.
inline QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(5000)) {
        ADD_FAILURE() << program.toStdString() << " is missing: run scripts/setup.sh";
        return {};
    }
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && process.state() != QProcess::NotRunning) {
        QTest::qWait(20);
    }
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ' ' << arguments.join(' ').toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString xdotool(const QStringList& arguments)
{
    return runTool(QStringLiteral("xdotool"), arguments);
}

inline QStringList at(QPoint global)
{
    return {QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
        QStringLiteral("sleep"), QStringLiteral("0.1")};
}

// Where a point of `widget` is on the screen, from its window's place as the window manager last
// configured it. (A dialog's mapToGlobal was seen to go on answering as if the dialog were still
// at the screen's corner after the manager had placed it, on a loaded machine.)
inline QPoint onScreen(const QWidget& widget, QPoint inWidget)
{
    return widget.window()->geometry().topLeft() + widget.mapTo(widget.window(), inWidget);
}

// Moves the real pointer to `inWidget`, a point of `widget`, and once the widget knows the pointer
// is over it, presses and releases `button` (4 and 5 are the wheel's notches up and down). A window
// the window manager is still placing (late on a loaded machine) may move after the pointer did, so
// the point is taken anew until the pointer lands. Each try comes in from outside the widget: a
// pointer that already rests where a new window appeared tells that window nothing.
inline void clickOn(const QWidget& widget, QPoint inWidget, int button)
{
    bool reached = false;
    for (QDeadlineTimer deadline(5000); !reached && !deadline.hasExpired();) {
        xdotool(at(onScreen(widget, QPoint(-4, -4))));
        xdotool(at(onScreen(widget, inWidget)));
        reached = QTest::qWaitFor([&] { return widget.underMouse(); }, 500);
    }
    EXPECT_TRUE(reached) << "the pointer never reached " << widget.metaObject()->className();
    xdotool({QStringLiteral("click"), QString::number(button)});
}

inline QString hexId(const QWidget& window)
{
    return QStringLiteral("0x") + QString::number(window.winId(), 16);
}

// The window manager's idea of the active window, as xprop names it.
inline QString activeWindowId()
{
    // "_NET_ACTIVE_WINDOW(WINDOW): window id # 0x1600007"
    return runTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_ACTIVE_WINDOW")})
        .section(QLatin1Char('#'), 1)
        .trimmed();
}

// The window manager may still place a window after it is exposed; waits until it stays put.
inline void waitUntilPlaced(const QWidget& window)
{
    QPoint last = window.pos();
    for (QDeadlineTimer settle(1000); !settle.hasExpired();) {
        QTest::qWait(50);
        if (window.pos() == last) {
            return;
        }
        last = window.pos();
    }
}

} // namespace tarn::x11test
