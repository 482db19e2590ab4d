// The floating panel on a real X server with a window manager: showing it brings it to the front
// and gives it the keyboard, so Escape hides it at once; it hides as soon as another window takes
// the keyboard; the first click on it reaches its content; and it has no frame.

#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "TarnKit/UI/Panels/TarnDraggableFloatingPanel.h"
#include "TarnKit/UI/Panels/TarnFloatingPanelController.h"
#include "TarnKit/UI/tests/x11/X11TestTools.h"

namespace tarn {
namespace {

using namespace x11test;

class TarnFloatingPanelX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        m_other.setWindowTitle(QStringLiteral("Other"));
        m_other.setGeometry(80, 80, 400, 300);
        m_other.show();
        m_other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_other));
        waitUntilPlaced(m_other);
    }

    void show()
    {
        m_controller.show(false, QRect(600, 200, 1, 1), [this] {
            auto content = std::make_unique<QWidget>();
            auto* button = new QPushButton(QStringLiteral("Act"));
            button->setObjectName(QStringLiteral("act"));
            QObject::connect(button, &QPushButton::clicked, [this] { ++m_clicks; });
            (new QVBoxLayout(content.get()))->addWidget(button);
            return content;
        });
    }

    TarnDraggableFloatingPanel* panel() const { return m_controller.panel(); }

    QWidget m_other;
    int m_dismissals = 0;
    int m_clicks = 0;
    TarnFloatingPanelController m_controller {QSize(240, 120), true, [this] { ++m_dismissals; }};
};

TEST_F(TarnFloatingPanelX11, TakesTheKeyboardWhenShownSoEscapeHidesItAtOnce)
{
    show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel()));
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel())) << "the shown panel is the key window";
    EXPECT_FALSE(m_other.isActiveWindow());
    const QString info = runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), hexId(*panel())});
    EXPECT_TRUE(info.contains(QStringLiteral("Width: 240"))) << "no frame around it: " << info.toStdString();

    xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_controller.isVisible(); }, 5000)) << "Escape right after show";
    // The server's focus change for the hidden panel comes later; it must not count as a second hide.
    QTest::qWait(200);
    EXPECT_EQ(m_dismissals, 1);
}

TEST_F(TarnFloatingPanelX11, HidesWhenAnotherWindowIsClicked)
{
    show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel()));
    clickOn(m_other, QPoint(40, 40), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_controller.isVisible(); }, 5000));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&m_other));
    EXPECT_EQ(m_dismissals, 1);
}

TEST_F(TarnFloatingPanelX11, TheFirstClickReachesTheContent)
{
    show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel()));
    auto* act = panel()->findChild<QPushButton*>(QStringLiteral("act"));
    ASSERT_NE(act, nullptr);
    clickOn(*act, act->rect().center(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_clicks == 1; }, 5000));
    EXPECT_TRUE(m_controller.isVisible());
    EXPECT_EQ(m_dismissals, 0);
}

} // namespace
} // namespace tarn
