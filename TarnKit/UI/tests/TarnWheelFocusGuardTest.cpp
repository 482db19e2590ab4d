// The wheel over a picker, slider or spin field that has no focus leaves its value alone and goes
// on to the page, which scrolls; once a click has focused the control, the wheel changes it as
// usual. The page's own scroll bar always takes the wheel.

#include "TarnKit/UI/Buttons/TarnWheelFocusGuard.h"

#include <array>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace tarn {
namespace {

// One notch down at `at` in the widget; true when the widget took it.
bool wheelDown(QWidget& widget, QPoint at)
{
    QWheelEvent wheel(QPointF(at), QPointF(widget.mapToGlobal(at)), QPoint(), QPoint(0, -120), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
    return wheel.isAccepted();
}

bool wheelDown(QWidget& widget)
{
    return wheelDown(widget, widget.rect().center());
}

class TarnWheelFocusGuardTest : public ::testing::Test {
protected:
    void SetUp() override { qApp->installEventFilter(&m_guard); }
    void TearDown() override { qApp->removeEventFilter(&m_guard); }

    TarnWheelFocusGuard m_guard;
};

// A page taller than its scroll area, with one control of each guarded kind on it.
struct ScrolledPage {
    ScrolledPage()
    {
        auto* content = new QWidget;
        auto* column = new QVBoxLayout(content);
        combo = new QComboBox;
        combo->addItems({"One", "Two", "Three"});
        slider = new QSlider(Qt::Horizontal);
        slider->setRange(0, 100);
        slider->setValue(50);
        spin = new QSpinBox;
        spin->setValue(5);
        for (QWidget* control : controls()) {
            column->addWidget(control);
        }
        column->addSpacing(2000);
        area.setWidget(content);
        area.setWidgetResizable(true);
        area.resize(300, 200);
        area.show();
    }

    std::array<QWidget*, 3> controls() const { return {combo, slider, spin}; }
    int scrolled() const { return area.verticalScrollBar()->value(); }

    QScrollArea area;
    QComboBox* combo;
    QSlider* slider;
    QSpinBox* spin;
};

TEST_F(TarnWheelFocusGuardTest, TheWheelScrollsThePageAndChangesOnlyAFocusedControl)
{
    ScrolledPage page;
    for (QWidget* control : page.controls()) {
        EXPECT_EQ(control->focusPolicy(), Qt::StrongFocus) << "the wheel gives no focus";
        EXPECT_FALSE(wheelDown(*control)) << "left to the page";
        // What the application does next with a wheel no control took: the page under it.
        const int before = page.scrolled();
        wheelDown(*page.area.viewport(), control->mapTo(page.area.viewport(), control->rect().center()));
        EXPECT_GT(page.scrolled(), before) << "the page scrolls under " << control->metaObject()->className();
    }
    EXPECT_EQ(page.combo->currentIndex(), 0);
    EXPECT_EQ(page.slider->value(), 50);
    EXPECT_EQ(page.spin->value(), 5);

    page.area.activateWindow();
    QApplication::setActiveWindow(&page.area);
    page.combo->setFocus();
    ASSERT_TRUE(page.combo->hasFocus());
    EXPECT_TRUE(wheelDown(*page.combo));
    EXPECT_EQ(page.combo->currentIndex(), 1) << "a focused picker takes the wheel";
}

TEST_F(TarnWheelFocusGuardTest, ThePagesOwnScrollBarAlwaysTakesTheWheel)
{
    ScrolledPage page;
    QScrollBar* bar = page.area.verticalScrollBar();
    EXPECT_FALSE(TarnWheelFocusGuard::guards(bar));
    ASSERT_FALSE(bar->hasFocus());
    EXPECT_TRUE(wheelDown(*bar));
    const int afterBar = page.scrolled();
    EXPECT_GT(afterBar, 0);
    EXPECT_TRUE(wheelDown(*page.area.viewport()));
    EXPECT_GT(page.scrolled(), afterBar) << "the wheel over the page's background";
}

TEST_F(TarnWheelFocusGuardTest, OtherWidgetsAreLeftAlone)
{
    QLineEdit field;
    field.show();
    EXPECT_FALSE(TarnWheelFocusGuard::guards(&field));
    EXPECT_EQ(field.focusPolicy(), Qt::StrongFocus);
}

} // namespace
} // namespace tarn
