// The wheel over a picker, slider or spin field that has no focus leaves its value alone; once a
// click has focused it, the wheel changes it as usual.

#include "TarnKit/UI/Buttons/TarnWheelFocusGuard.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace tarn {
namespace {

// One notch down over the widget's centre; true when the widget took it.
bool wheelDown(QWidget& widget)
{
    const QPointF centre = QRectF(widget.rect()).center();
    QWheelEvent wheel(centre, widget.mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
    return wheel.isAccepted();
}

class TarnWheelFocusGuardTest : public ::testing::Test {
protected:
    void SetUp() override { qApp->installEventFilter(&m_guard); }
    void TearDown() override { qApp->removeEventFilter(&m_guard); }

    TarnWheelFocusGuard m_guard;
};

TEST_F(TarnWheelFocusGuardTest, TheWheelChangesOnlyAFocusedControl)
{
    QWidget page;
    auto* combo = new QComboBox(&page);
    combo->addItems({"One", "Two", "Three"});
    auto* slider = new QSlider(Qt::Horizontal, &page);
    slider->setRange(0, 100);
    slider->setValue(50);
    auto* spin = new QSpinBox(&page);
    spin->setValue(5);
    page.show();

    for (QWidget* control : std::initializer_list<QWidget*> {combo, slider, spin}) {
        EXPECT_EQ(control->focusPolicy(), Qt::StrongFocus) << "the wheel gives no focus";
        EXPECT_FALSE(wheelDown(*control)) << "left to the page";
    }
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(slider->value(), 50);
    EXPECT_EQ(spin->value(), 5);

    page.activateWindow();
    QApplication::setActiveWindow(&page);
    combo->setFocus();
    ASSERT_TRUE(combo->hasFocus());
    EXPECT_TRUE(wheelDown(*combo));
    EXPECT_EQ(combo->currentIndex(), 1) << "a focused picker takes the wheel";
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
