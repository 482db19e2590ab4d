// The floating panel on a real X server with a window manager: it appears without taking the
// keyboard from the window that has it, stays out of the window manager's hands (no frame, every
// desktop), takes the keyboard with the click that also reaches its content, and Escape hides it.

#include <QDeadlineTimer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "TarnKit/UI/Panels/TarnDraggableFloatingPanel.h"
#include "TarnKit/UI/Panels/TarnFloatingPanelController.h"

namespace tarn {
namespace {

// Runs an X client to its end while this thread keeps answering the X server; bounded.
QString runTool(const QString& program, const QStringList& arguments)
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
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The window manager's idea of the active window.
QString activeWindowId()
{
    // "_NET_ACTIVE_WINDOW(WINDOW): window id # 0x1600007"
    return runTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_ACTIVE_WINDOW")})
        .section(QLatin1Char('#'), 1)
        .trimmed();
}

QString hexId(const QWidget& window)
{
    return QStringLiteral("0x") + QString::number(window.winId(), 16);
}

TEST(TarnFloatingPanelX11, AppearsWithoutTakingTheKeyboardAndEscapeHidesIt)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QWidget other;
    other.setWindowTitle(QStringLiteral("Other"));
    other.setGeometry(80, 80, 400, 300);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_TRUE(QTest::qWaitFor([&] { return activeWindowId() == hexId(other); }, 5000));

    int dismissals = 0;
    int clicks = 0;
    TarnFloatingPanelController controller(QSize(240, 120), true, [&] { ++dismissals; });
    controller.show(false, QRect(600, 200, 1, 1), [&] {
        auto content = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(content.get());
        auto* button = new QPushButton(QStringLiteral("Act"));
        QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
        layout->addWidget(button);
        return content;
    });
    TarnDraggableFloatingPanel* panel = controller.panel();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));

    // xprop asks the server after the map, by when a window manager would have moved the focus.
    EXPECT_EQ(activeWindowId(), hexId(other));
    EXPECT_TRUE(other.isActiveWindow());
    EXPECT_FALSE(panel->isActiveWindow());
    const QString info = runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), hexId(*panel)});
    EXPECT_TRUE(info.contains(QStringLiteral("Override Redirect State: yes"))) << info.toStdString();

    const QPoint target = panel->mapToGlobal(panel->rect().center());
    runTool(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(target.x()), QString::number(target.y()), QStringLiteral("sleep"),
            QStringLiteral("0.1"), QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }, 5000)) << "the first click reaches the content";
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel)) << "and makes the panel the key window";

    runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.isVisible(); }, 5000));
    // The server's focus-out for the hidden panel comes later; it must not count as a second hide.
    QTest::qWait(200);
    EXPECT_EQ(dismissals, 1);
}

} // namespace
} // namespace tarn
