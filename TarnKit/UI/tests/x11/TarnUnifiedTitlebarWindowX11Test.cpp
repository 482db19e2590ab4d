// The frameless studio frame on a real X server with a window manager: its buttons are where the
// metrics say, and dragging its header with the real pointer moves it (through the window manager
// when it takes the move, by hand otherwise).

#include <QDeadlineTimer>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnKit/UI/Chrome/TarnUnifiedTitlebarWindow.h"
#include "TarnKit/UI/Chrome/TarnWindowDragArea.h"

namespace tarn {
namespace {

TEST(TarnUnifiedTitlebarWindowX11, MeasuresItsButtonsAndMovesWhenItsHeaderIsDragged)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    TarnUnifiedTitlebarWindow window(TarnUnifiedTitlebarMode::unifiedHeader, TarnLanguage::en);
    window.setHeaderContent(new QLabel(QStringLiteral("Header")));
    window.setContent(new QWidget);
    window.setGeometry(200, 150, 640, 420);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.buttonFrame(WindowButton::close), (WindowRect {14, 20, 12, 12}));
    EXPECT_EQ(window.metrics(), (TarnUnifiedTitlebarMetrics {80, 26, 32, 46, false}));

    // The window manager may still place the window after it is exposed; wait until it settles.
    QPoint start = window.pos();
    for (QDeadlineTimer settle(1000); !settle.hasExpired();) {
        QTest::qWait(50);
        if (window.pos() == start) {
            break;
        }
        start = window.pos();
    }

    const QPoint grab = window.headerBar()->mapToGlobal(QPoint(320, 26));
    const auto point = [](QPoint p) { return QStringList {QString::number(p.x()), QString::number(p.y())}; };
    QStringList script {QStringLiteral("mousemove")};
    script << point(grab) << QStringLiteral("sleep") << QStringLiteral("0.2") << QStringLiteral("mousedown")
           << QStringLiteral("1");
    // The first step passes the drag distance; the pause lets the window hand the move to the
    // window manager before the pointer goes on, however busy the machine is.
    script << QStringLiteral("sleep") << QStringLiteral("0.15") << QStringLiteral("mousemove")
           << point(grab + QPoint(12, 0)) << QStringLiteral("sleep") << QStringLiteral("0.6");
    for (const QPoint step : {QPoint(40, 20), QPoint(80, 40), QPoint(120, 60)}) {
        script << QStringLiteral("mousemove") << point(grab + step) << QStringLiteral("sleep")
               << QStringLiteral("0.15");
    }
    script << QStringLiteral("sleep") << QStringLiteral("0.3") << QStringLiteral("mouseup") << QStringLiteral("1");
    QProcess pointer;
    pointer.start(QStringLiteral("xdotool"), script);
    ASSERT_TRUE(pointer.waitForStarted(5000)) << "xdotool is missing: run scripts/setup.sh";

    // The pointer script runs on its own while this loop keeps the window answering; bounded.
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && pointer.state() != QProcess::NotRunning) {
        QTest::qWait(20);
    }
    // The window manager's last configure may still be on its way; the checks below say what is
    // wrong if it never comes.
    static_cast<void>(QTest::qWaitFor([&] { return (window.pos() - start).x() >= 105; }, 2000));
    EXPECT_EQ(pointer.exitCode(), 0);
    // The window manager takes over from where the pointer passed the drag distance, so the
    // first few pixels of the drag may not count.
    const QPoint moved = window.pos() - start;
    EXPECT_NEAR(moved.x(), 120, 15);
    EXPECT_NEAR(moved.y(), 60, 15);
}

} // namespace
} // namespace tarn
