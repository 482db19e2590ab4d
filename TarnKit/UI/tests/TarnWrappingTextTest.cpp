// Text that wraps anywhere rather than ask for more width, reads in its own direction and leaves
// the wheel to the page.

#include "TarnKit/UI/Text/TarnWrappingText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace tarn {
namespace {

const QString kPath
    = QStringLiteral("/home/someone/.config/Harrowfen/TarnInput/a-folder-with-a-long-name/settings.json");

TEST(TarnWrappingTextTest, AWordTooLongForTheLineWrapsInsideIt)
{
    TarnWrappingText text(kPath, QApplication::font(), Qt::white);
    const int line = QFontMetrics(QApplication::font()).height();
    EXPECT_GT(text.sizeHint().width(), 200) << "ideally one line";
    EXPECT_LT(text.minimumSizeHint().width(), 20) << "any width will do";
    EXPECT_LT(text.heightForWidth(text.sizeHint().width()), 2 * line);
    const int narrow = text.heightForWidth(120);
    EXPECT_GE(narrow, 3 * line) << "the path breaks over several lines";
    EXPECT_EQ(text.heightForWidth(120), narrow) << "asked again, the same";
    text.resize(120, narrow);
    text.show();
    QApplication::processEvents();
    EXPECT_LE(text.document()->idealWidth(), 120.0) << "no line is wider than the widget";
    EXPECT_EQ(text.text(), kPath) << "nothing added to what is selected and copied";
    EXPECT_TRUE(text.isReadOnly());
    EXPECT_TRUE(text.textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
}

TEST(TarnWrappingTextTest, ReadsInTheDirectionOfItsOwnLetters)
{
    struct Case {
        QString text;
        Qt::LayoutDirection layout;
        bool rightToLeft;
    };
    const std::vector<Case> cases {
        {QStringLiteral("Event tap started (Linux 6.1)."), Qt::RightToLeft, false},
        {QStringLiteral("12:40 Event tap started"), Qt::RightToLeft, false},
        {QStringLiteral("بدأ التشغيل (Linux)."), Qt::LeftToRight, true},
        {QStringLiteral("התחלה"), Qt::LeftToRight, true},
    };
    for (const Case& c : cases) {
        TarnWrappingText text(c.text, QApplication::font(), Qt::white);
        text.setLayoutDirection(c.layout);
        text.resize(300, 40);
        text.show();
        QApplication::processEvents();
        EXPECT_EQ(text.isRightToLeft(), c.rightToLeft) << c.text.toStdString();
    }
}

TEST(TarnWrappingTextTest, LeavesTheWheelToThePage)
{
    TarnWrappingText text(kPath, QApplication::font(), Qt::white);
    text.resize(120, 20);
    text.show();
    QWheelEvent wheel(QPointF(10, 10), QPointF(text.mapToGlobal(QPoint(10, 10))), QPoint(), QPoint(0, -120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(text.viewport(), &wheel);
    EXPECT_FALSE(wheel.isAccepted());
}

} // namespace
} // namespace tarn
