// The glass look's keyboard focus ring: with the glass palette applied, the control the keyboard
// moved the focus to has a ring in the accent colour on its edge, whether the kit paints it
// (a glass button), Qt does (a check box, a slider) or the application does; a click takes the
// ring away until the next Tab.

#include "TarnKit/UI/Glass/TarnFocusRing.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusFrame>
#include <QSlider>
#include <QStyleFactory>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Glass/TarnGlassPalette.h"
#include "TarnKit/UI/Glass/TarnGlassStyle.h"

namespace tarn {
namespace {

const QColor kAccent(0x38, 0xE8, 0xFF);

// A control that paints itself and nothing else, as the studio's own controls do.
class PaintedControl : public QWidget {
public:
    PaintedControl() { setFocusPolicy(Qt::StrongFocus); }
    QSize sizeHint() const override { return {120, 28}; }
};

class TarnFocusRingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousStyle = QApplication::style()->name();
        m_previousPalette = QApplication::palette();
        TarnGlassPalette::apply(*qApp, kAccent);
        auto* column = new QVBoxLayout(&m_window);
        column->setContentsMargins(20, 20, 20, 20);
        column->setSpacing(12);
        m_button = new TarnGlassButton(QStringLiteral("Copy"));
        m_check = new QCheckBox(QStringLiteral("Reverse"));
        m_slider = new QSlider(Qt::Horizontal);
        m_painted = new PaintedControl;
        for (QWidget* control : controls()) {
            column->addWidget(control, 0, Qt::AlignLeft);
        }
        m_window.resize(300, 220);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_button->setFocus(Qt::OtherFocusReason);
    }

    void TearDown() override
    {
        QApplication::setStyle(QStyleFactory::create(m_previousStyle));
        QApplication::setPalette(m_previousPalette);
    }

    std::vector<QWidget*> controls() const { return {m_button, m_check, m_slider, m_painted}; }

    // Whether the middle of the control's left edge shows the accent.
    bool ringShowsOn(const QWidget& control)
    {
        QApplication::processEvents();
        const QImage shot = m_window.grab().toImage();
        const QPoint edge = control.mapTo(&m_window, QPoint(0, control.height() / 2));
        const QColor seen = shot.pixelColor(edge);
        return std::abs(seen.red() - kAccent.red()) < 40 && std::abs(seen.green() - kAccent.green()) < 40
            && std::abs(seen.blue() - kAccent.blue()) < 40;
    }

    QString m_previousStyle;
    QPalette m_previousPalette;
    QWidget m_window;
    TarnGlassButton* m_button = nullptr;
    QCheckBox* m_check = nullptr;
    QSlider* m_slider = nullptr;
    PaintedControl* m_painted = nullptr;
};

TEST_F(TarnFocusRingTest, TheKeyboardFocusShowsARingAndAClickTakesItAway)
{
    EXPECT_FALSE(ringShowsOn(*m_button)) << "focus the keyboard did not move shows no ring";
    for (QWidget* control : std::vector<QWidget*> {m_check, m_slider, m_painted, m_button}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), control);
        EXPECT_TRUE(ringShowsOn(*control)) << control->metaObject()->className();
    }
    QTest::mouseClick(m_check, Qt::LeftButton, {}, QPoint(8, m_check->height() / 2));
    ASSERT_EQ(QApplication::focusWidget(), m_check);
    for (QWidget* control : controls()) {
        EXPECT_FALSE(ringShowsOn(*control)) << "after a click, " << control->metaObject()->className();
    }
    QTest::keyClick(m_check, Qt::Key_Tab);
    EXPECT_TRUE(ringShowsOn(*m_slider)) << "the next Tab brings it back";
}

TEST_F(TarnFocusRingTest, OneRingFollowsTheFocusAndLeavesTheControlClickable)
{
    auto* style = qobject_cast<TarnGlassStyle*>(QApplication::style());
    ASSERT_NE(style, nullptr);
    ASSERT_NE(style->focusRing(), nullptr);
    EXPECT_EQ(style->focusRing()->ringedControl(), nullptr);
    QTest::keyClick(m_button, Qt::Key_Tab);
    EXPECT_EQ(style->focusRing()->ringedControl(), m_check);
    QTest::keyClick(m_check, Qt::Key_Tab);
    EXPECT_EQ(style->focusRing()->ringedControl(), m_slider);
    EXPECT_EQ(m_window.findChildren<QFocusFrame*>().size(), 1);
    // The ring covers only a band along the slider's edge: its middle is the slider's.
    const QPoint middle = m_slider->mapTo(&m_window, m_slider->rect().center());
    EXPECT_EQ(m_window.childAt(middle), m_slider);
}

} // namespace
} // namespace tarn
