#include "TarnKit/UI/Glass/TarnCardHeader.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include "TarnKit/UI/Text/TarnSymbolLabel.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {
namespace {

// The title leads, the controls close the row in the order they were added, and a wider card
// gives its room to the gap between them: in both reading directions.
TEST(TarnCardHeaderTest, TitleLeadsAndControlsCloseTheRowInOrder)
{
    for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        TarnCardHeader header(
            "tag.fill", QStringLiteral("Release Info"), TarnTextStyles::font(TarnTextStyle::headline), Qt::white, 8);
        header.setLayoutDirection(direction);
        auto* first = new QPushButton(QStringLiteral("Copy"));
        auto* second = new QPushButton(QStringLiteral("Clear"));
        header.addTrailing(first);
        header.addTrailing(second);
        header.resize(header.sizeHint().width() + 300, header.sizeHint().height());
        header.show();

        const QRect title = header.title()->geometry();
        EXPECT_EQ(header.title()->text(), QStringLiteral("Release Info"));
        if (direction == Qt::LeftToRight) {
            EXPECT_EQ(title.left(), 0);
            EXPECT_EQ(second->geometry().right(), header.width() - 1);
            EXPECT_EQ(first->geometry().right() + 8 + 1, second->geometry().left());
            EXPECT_GE(first->geometry().left() - title.right(), 300);
        } else {
            EXPECT_EQ(title.right(), header.width() - 1);
            EXPECT_EQ(second->geometry().left(), 0);
            EXPECT_EQ(second->geometry().right() + 8 + 1, first->geometry().left());
            EXPECT_GE(title.left() - first->geometry().right(), 300);
        }

        header.setTitle(QStringLiteral("Sürüm Bilgileri"));
        EXPECT_EQ(header.title()->text(), QStringLiteral("Sürüm Bilgileri"));
    }
}

} // namespace
} // namespace tarn
