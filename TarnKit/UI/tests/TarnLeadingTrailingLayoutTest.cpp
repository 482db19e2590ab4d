// The title-and-controls row: side by side while both fit, the controls under the title when they
// do not, always at the trailing edge, mirrored right to left.

#include "TarnKit/UI/Glass/TarnLeadingTrailingLayout.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace tarn {
namespace {

class Sized : public QWidget {
public:
    Sized(int width, int height)
        : m_hint(width, height)
    {
    }
    QSize sizeHint() const override { return m_hint; }
    QSize minimumSizeHint() const override { return {10, m_hint.height()}; }

private:
    QSize m_hint;
};

TEST(TarnLeadingTrailingLayoutTest, PlacesSideBySideOrWrapsAtTheTrailingEdge)
{
    struct Case {
        int width;
        Qt::LayoutDirection direction;
        QRect leading;
        QRect trailing;
    };
    // A 100 x 20 title and 150 x 30 controls, 8 apart on one line and 6 apart once wrapped.
    const std::vector<Case> cases {
        {300, Qt::LeftToRight, {0, 5, 100, 20}, {150, 0, 150, 30}},
        {258, Qt::LeftToRight, {0, 5, 100, 20}, {108, 0, 150, 30}},
        {257, Qt::LeftToRight, {0, 0, 100, 20}, {107, 26, 150, 30}},
        {120, Qt::LeftToRight, {0, 0, 100, 20}, {0, 26, 120, 30}},
        {300, Qt::RightToLeft, {200, 5, 100, 20}, {0, 0, 150, 30}},
        {257, Qt::RightToLeft, {157, 0, 100, 20}, {0, 26, 150, 30}},
    };
    for (const Case& c : cases) {
        QWidget row;
        row.setLayoutDirection(c.direction);
        auto* layout = new TarnLeadingTrailingLayout(8, 6, &row);
        auto* title = new Sized(100, 20);
        auto* controls = new Sized(150, 30);
        layout->addWidget(title);
        layout->addWidget(controls);
        const bool wraps = c.leading.top() == 0;
        EXPECT_EQ(layout->wrapsAt(c.width), wraps) << c.width;
        EXPECT_EQ(layout->heightForWidth(c.width), wraps ? 56 : 30) << c.width;
        layout->setGeometry(QRect(0, 0, c.width, layout->heightForWidth(c.width)));
        EXPECT_EQ(title->geometry(), c.leading) << c.width << ' ' << c.direction;
        EXPECT_EQ(controls->geometry(), c.trailing) << c.width << ' ' << c.direction;
    }
}

TEST(TarnLeadingTrailingLayoutTest, AsksForBothSideBySideAndNeedsOnlyTheWiderMinimum)
{
    QWidget row;
    auto* layout = new TarnLeadingTrailingLayout(8, 6, &row);
    layout->addWidget(new Sized(100, 20));
    layout->addWidget(new Sized(150, 30));
    EXPECT_EQ(layout->sizeHint(), QSize(258, 30));
    EXPECT_EQ(layout->minimumSize().width(), 10);
    EXPECT_TRUE(layout->hasHeightForWidth());
}

} // namespace
} // namespace tarn
