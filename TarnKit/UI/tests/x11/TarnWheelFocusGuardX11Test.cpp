// The wheel on a real X server with a window manager, through the wheel guard: notches injected
// over a page's background, over unfocused controls on it and over its own scroll bar all scroll
// the page and change no control; over a control that a click has focused, the wheel changes it.

#include <array>

#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "TarnKit/UI/Buttons/TarnWheelFocusGuard.h"
#include "TarnKit/UI/tests/x11/X11TestTools.h"

namespace tarn {
namespace {

using namespace x11test;

constexpr int kWheelDown = 5;

class TarnWheelFocusGuardX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        qApp->installEventFilter(&m_guard);
        auto* content = new QWidget;
        auto* column = new QVBoxLayout(content);
        column->addWidget(new QLabel(QStringLiteral("Top of the page")));
        m_combo = new QComboBox;
        m_combo->addItems({"One", "Two", "Three"});
        m_slider = new QSlider(Qt::Horizontal);
        m_slider->setRange(0, 100);
        m_slider->setValue(50);
        m_slider->setFixedWidth(200);
        m_spin = new QSpinBox;
        m_spin->setValue(5);
        for (QWidget* control : controls()) {
            column->addSpacing(150);
            // Left-aligned, so the page's background shows to their right.
            column->addWidget(control, 0, Qt::AlignLeft);
        }
        column->addSpacing(1500);
        m_page = new QScrollArea(&m_window);
        m_page->setWidget(content);
        m_page->setWidgetResizable(true);
        auto* layout = new QVBoxLayout(&m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_page);
        m_window.setGeometry(200, 150, 420, 320);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        waitUntilPlaced(m_window);
    }

    void TearDown() override { qApp->removeEventFilter(&m_guard); }

    std::array<QWidget*, 3> controls() const { return {m_combo, m_slider, m_spin}; }
    int scrolled() const { return m_page->verticalScrollBar()->value(); }

    // One notch down at `inTarget`, a point of `target` on screen; whether the page scrolled.
    bool pageScrollsUnder(const QWidget& target, QPoint inTarget)
    {
        const int before = scrolled();
        clickOn(target, inTarget, kWheelDown);
        return QTest::qWaitFor([&] { return scrolled() > before; }, 3000);
    }

    // Brings a control into the middle of the page first.
    bool pageScrollsUnder(QWidget& control)
    {
        m_page->ensureWidgetVisible(&control, 0, 100);
        return pageScrollsUnder(control, control.rect().center());
    }

    TarnWheelFocusGuard m_guard;
    QWidget m_window;
    QScrollArea* m_page = nullptr;
    QComboBox* m_combo = nullptr;
    QSlider* m_slider = nullptr;
    QSpinBox* m_spin = nullptr;
};

TEST_F(TarnWheelFocusGuardX11, TheWheelScrollsThePageOverItsBackgroundItsControlsAndItsScrollBar)
{
    QWidget* viewport = m_page->viewport();
    EXPECT_TRUE(pageScrollsUnder(*viewport, QPoint(viewport->width() - 40, viewport->height() / 2)))
        << "over the background";
    for (QWidget* control : controls()) {
        EXPECT_TRUE(pageScrollsUnder(*control)) << control->metaObject()->className();
        EXPECT_FALSE(control->hasFocus()) << control->metaObject()->className();
    }
    QScrollBar* bar = m_page->verticalScrollBar();
    EXPECT_TRUE(pageScrollsUnder(*bar, bar->rect().center())) << "over the page's own scroll bar";
    EXPECT_EQ(m_combo->currentIndex(), 0);
    EXPECT_EQ(m_slider->value(), 50);
    EXPECT_EQ(m_spin->value(), 5);
}

TEST_F(TarnWheelFocusGuardX11, AFocusedControlTakesTheWheel)
{
    m_page->ensureWidgetVisible(m_spin, 0, 100);
    const QPoint inText(8, m_spin->height() / 2);
    // A click in the field's text gives the spin field the focus without stepping it.
    clickOn(*m_spin, inText, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_spin->hasFocus(); }, 3000));
    const int before = scrolled();
    clickOn(*m_spin, inText, kWheelDown);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_spin->value() == 4; }, 3000)) << m_spin->value();
    EXPECT_EQ(scrolled(), before) << "the focused field took the notch, not the page";
}

} // namespace
} // namespace tarn
