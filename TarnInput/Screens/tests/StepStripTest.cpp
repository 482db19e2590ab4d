#include "TarnInput/Screens/Profiles/StepStrip.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace tarn::input {
namespace {

QLabel* chip(const QString& text)
{
    auto* label = new QLabel(text);
    label->setMargin(6);
    return label;
}

// On screen the whole time, the strip is as tall as its chips after every change, however many
// chips come and go, and an emptied strip is as tall as its padding.
TEST(StepStrip, StaysAsTallAsItsChipsWhileOnScreen)
{
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* strip = new StepStrip(6, 2);
    column->addWidget(new QLabel("above"));
    column->addWidget(strip);
    column->addStretch(1);
    window.resize(400, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int chipHeight = chip("x")->sizeHint().height();
    for (int count : {1, 3, 5, 2, 0, 4}) {
        strip->clear();
        for (int index = 0; index < count; ++index) {
            strip->append(chip(QString::number(index)));
        }
        QApplication::processEvents();
        EXPECT_EQ(strip->height(), count == 0 ? 4 : chipHeight + 4) << count << " chips";
        const auto chips = strip->widget()->findChildren<QLabel*>();
        ASSERT_EQ(chips.size(), count);
        for (const auto* shown : chips) {
            EXPECT_TRUE(shown->isVisible());
            EXPECT_EQ(shown->height(), chipHeight);
        }
    }
}

} // namespace
} // namespace tarn::input
