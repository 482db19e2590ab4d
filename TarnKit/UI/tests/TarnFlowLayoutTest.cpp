#include "TarnKit/UI/Glass/TarnFlowLayout.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace tarn {
namespace {

using Sizes = std::vector<QSizeF>;

TEST(TarnFlowLayoutTest, Measuring)
{
    struct Case {
        const char* name;
        Sizes sizes;
        std::optional<double> width;
        QSizeF expected;
    };
    const Case cases[] = {
        {"empty with a width", {}, 100.0, {100, 0}},
        {"empty without a width", {}, std::nullopt, {0, 0}},
        {"no width: one line, no trailing spacing", {{30, 10}, {40, 20}, {50, 15}}, std::nullopt, {140, 20}},
        {"a width is reported as given", {{30, 10}}, 300.0, {300, 10}},
        {"wraps when the next item would end past the width", {{50, 10}, {50, 14}, {50, 12}}, 105.0,
            {105, 10 + 4 + 14 + 4 + 12}},
        {"an item ending exactly at the width stays", {{50, 10}, {50, 10}}, 110.0, {110, 10}},
        {"half a pixel short already wraps", {{50, 10}, {50, 10}}, 109.7, {109.7, 24}},
        {"a first item wider than the width keeps its line", {{150, 20}, {30, 10}}, 100.0, {100, 34}},
        {"line height is the tallest item of the line", {{20, 5}, {20, 30}, {20, 7}}, 50.0, {50, 30 + 4 + 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QSizeF measured = TarnFlowLayout::measure(c.sizes, c.width, 10, 4);
        EXPECT_DOUBLE_EQ(measured.width(), c.expected.width());
        EXPECT_DOUBLE_EQ(measured.height(), c.expected.height());
    }
}

TEST(TarnFlowLayoutTest, PlacingToleratesHalfAPixelThatMeasuringDoesNot)
{
    const Sizes sizes {{50, 10}, {50, 10}};
    // Ends at 110: 0.3 past 109.7 (kept on the line), 0.6 past 109.4 (wrapped).
    EXPECT_EQ(TarnFlowLayout::place(sizes, QRectF(0, 0, 109.7, 100), 10, 4), (std::vector<QPointF> {{0, 0}, {60, 0}}));
    EXPECT_EQ(TarnFlowLayout::place(sizes, QRectF(0, 0, 109.4, 100), 10, 4), (std::vector<QPointF> {{0, 0}, {0, 14}}));
    EXPECT_GT(TarnFlowLayout::measure(sizes, 109.7, 10, 4).height(), 10.0);
}

TEST(TarnFlowLayoutTest, PlacingStartsAtTheBoundsAndKeepsAnOversizedFirstItem)
{
    const Sizes sizes {{150, 20}, {30, 10}, {30, 12}};
    EXPECT_EQ(TarnFlowLayout::place(sizes, QRectF(10, 20, 100, 100), 5, 3),
        (std::vector<QPointF> {{10, 20}, {10, 43}, {45, 43}}));
}

QWidget* fixedBox(QWidget* parent, int w, int h)
{
    auto* box = new QWidget(parent);
    box->setFixedSize(w, h);
    return box;
}

TEST(TarnFlowLayoutTest, LaysOutWidgetsAndSkipsHiddenOnes)
{
    QWidget host;
    auto* layout = new TarnFlowLayout(10, 4, &host);
    QWidget* a = fixedBox(&host, 50, 10);
    QWidget* hidden = fixedBox(&host, 500, 500);
    QWidget* b = fixedBox(&host, 50, 10);
    QWidget* c = fixedBox(&host, 50, 10);
    layout->addWidget(a);
    layout->addWidget(hidden);
    layout->addWidget(b);
    layout->addWidget(c);
    hidden->hide();

    EXPECT_EQ(layout->sizeHint(), QSize(170, 10));
    EXPECT_EQ(layout->heightForWidth(115), 24);
    EXPECT_EQ(layout->minimumSize(), QSize(50, 0));

    layout->setGeometry(QRect(0, 0, 115, 100));
    EXPECT_EQ(a->geometry(), QRect(0, 0, 50, 10));
    EXPECT_EQ(b->geometry(), QRect(60, 0, 50, 10));
    EXPECT_EQ(c->geometry(), QRect(0, 14, 50, 10));
}

} // namespace
} // namespace tarn
