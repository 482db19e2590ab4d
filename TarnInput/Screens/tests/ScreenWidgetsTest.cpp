#include <random>
#include <string>

#include <QMenu>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <fmt/format.h>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Controls/RunningAppsMenuButton.h"
#include "TarnInput/Screens/Controls/SegmentedPicker.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Widgets/AdaptiveGridLayout.h"
#include "TarnInput/Screens/Widgets/MetricTile.h"
#include "TarnInput/Screens/Widgets/PresetTile.h"
#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

TEST(ContinuousSlider, ShowingAValueNeverSignalsAndKeepsAnOutOfRangeValueAsGiven)
{
    ContinuousSlider slider(0.5, 3.5, 0.05);
    QSignalSpy moved(&slider, &ContinuousSlider::valueMoved);
    slider.setValue(1.35);
    EXPECT_NEAR(slider.knobValue(), 1.35, 0.001);
    slider.setValue(1e300);
    EXPECT_EQ(slider.value(), 1e300);
    EXPECT_DOUBLE_EQ(slider.knobValue(), 3.5);
    slider.setValue(std::nan(""));
    EXPECT_DOUBLE_EQ(slider.knobValue(), 0.5);
    EXPECT_EQ(moved.count(), 0);
}

TEST(ContinuousSlider, EachUserMoveSignalsOnceWithTheNewValue)
{
    ContinuousSlider slider(20, 90, 1);
    slider.setValue(45);
    QSignalSpy moved(&slider, &ContinuousSlider::valueMoved);
    slider.moveKnobTo(60);
    slider.moveKnobTo(60);
    slider.moveKnobTo(200);
    ASSERT_EQ(moved.count(), 2);
    EXPECT_NEAR(moved[0][0].toDouble(), 60, 0.01);
    EXPECT_DOUBLE_EQ(moved[1][0].toDouble(), 90);
    EXPECT_DOUBLE_EQ(slider.value(), 90);
}

// Wherever a drag leaves the knob, the value reported is a whole number of steps from the
// minimum, written with no more decimals than the step: what a settings file then stores reads
// exactly as the slider's value text shows it.
TEST(ContinuousSlider, EveryMoveReportsAWholeStepWithTheStepsDecimalsOnly)
{
    struct Range {
        double minimum;
        double maximum;
        double step;
        int decimals;
    };
    const Range ranges[] {
        {0.5, 3.5, 0.05, 2}, {0.1, 0.45, 0.01, 2}, {0.7, 4.0, 0.1, 1}, {20, 90, 1, 0}, {24, 110, 1, 0}};
    std::mt19937 random(20260114);
    for (const auto& range : ranges) {
        ContinuousSlider slider(range.minimum, range.maximum, range.step);
        auto* track = slider.findChild<QSlider*>("slider");
        ASSERT_NE(track, nullptr);
        EXPECT_EQ(track->maximum(), std::lround((range.maximum - range.minimum) / range.step));
        QSignalSpy moved(&slider, &ContinuousSlider::valueMoved);
        std::uniform_int_distribution<int> position(0, track->maximum());
        for (int move = 0; move < 200; ++move) {
            track->setValue(move == 0 ? track->maximum() : position(random));
        }
        ASSERT_FALSE(moved.isEmpty());
        EXPECT_EQ(moved[0][0].toDouble(), range.maximum) << "the end of the track is the range's end";
        for (const auto& signal : moved) {
            const double value = signal[0].toDouble();
            const auto shortest = fmt::format("{}", value);
            const auto point = shortest.find('.');
            EXPECT_LE(point == std::string::npos ? 0 : static_cast<int>(shortest.size() - point - 1), range.decimals)
                << shortest;
            EXPECT_EQ(value, std::stod(fmt::format("{:.{}f}", value, range.decimals))) << shortest;
            const double steps = (value - range.minimum) / range.step;
            EXPECT_NEAR(steps, std::round(steps), 1e-6) << shortest;
        }
    }
}

TEST(SwitchToggle, OnlyAClickSignals)
{
    SwitchToggle toggle;
    QSignalSpy clicked(&toggle, &SwitchToggle::clicked);
    {
        const QSignalBlocker blocker(toggle);
        toggle.setChecked(true);
    }
    EXPECT_EQ(clicked.count(), 0);
    toggle.resize(toggle.sizeHint());
    QTest::mouseClick(&toggle, Qt::LeftButton);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_FALSE(clicked[0][0].toBool());
    EXPECT_FALSE(toggle.isChecked());
}

TEST(SegmentedPicker, ShowsTheModelSilentlyAndSignalsTheUsersChoice)
{
    SegmentedPicker picker;
    picker.setSegments({"Bottom Center", "Bottom Left", "Bottom Right", "Top Right"});
    QSignalSpy activated(&picker, &SegmentedPicker::activated);
    picker.setCurrentIndex(1);
    EXPECT_EQ(activated.count(), 0);
    auto* segment = picker.findChild<QAbstractButton*>("segment3");
    ASSERT_NE(segment, nullptr);
    segment->click();
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated[0][0].toInt(), 3);
    EXPECT_EQ(picker.currentIndex(), 3);
    picker.setSegments({"A", "B"});
    EXPECT_EQ(picker.count(), 2);
}

TEST(AdaptiveGridLayout, FitsAsManyEqualColumnsAsTheWidthAllowsNeverFewerThanOne)
{
    AdaptiveGridLayout layout(420, 14, 14);
    const std::vector<std::pair<int, int>> widthToColumns {{0, 1}, {300, 1}, {853, 1}, {854, 2}, {1287, 2}, {1288, 3}};
    for (const auto& [width, columns] : widthToColumns) {
        EXPECT_EQ(layout.columnsFor(width), columns) << width;
    }
}

TEST(AdaptiveGridLayout, StretchesCellsToEqualSharesRowByRow)
{
    QWidget host;
    auto* layout = new AdaptiveGridLayout(220, 8, 8, &host);
    std::vector<QWidget*> cells;
    for (int index = 0; index < 5; ++index) {
        auto* cell = new QWidget;
        cell->setMinimumHeight(30);
        cell->setMaximumHeight(30);
        layout->addWidget(cell);
        cells.push_back(cell);
    }
    layout->setGeometry(QRect(0, 0, 700, 500));
    // (700 + 8) / 228 = 3 columns of (700 - 16) / 3 = 228.
    EXPECT_EQ(cells[0]->geometry(), QRect(0, 0, 228, 30));
    EXPECT_EQ(cells[2]->geometry(), QRect(472, 0, 228, 30));
    EXPECT_EQ(cells[3]->geometry(), QRect(0, 38, 228, 30));
    EXPECT_EQ(layout->heightForWidth(700), 68);
}

TEST(MetricTile, DrawsTheValueInTheAccentOnlyWhileHighlighted)
{
    MetricTile tile(19, 10.5);
    tile.setAccent(QColor("#4FD1FF"));
    EXPECT_EQ(tile.valueColor(), QColor(Qt::white));
    tile.setHighlighted(true);
    EXPECT_EQ(tile.valueColor(), QColor("#4FD1FF"));
}

TEST(RunningAppsMenuButton, ListsTheApplicationsAnewAndSignalsTheChosenOne)
{
    std::vector<RunningApplication> running {{"org.gnome.Nautilus", "Files"}};
    RunningAppsMenuButton button("+ Exclude Running App", [&] { return running; });
    QSignalSpy chosen(&button, &RunningAppsMenuButton::applicationChosen);
    auto* menu = button.refreshedMenu();
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Files (org.gnome.Nautilus)");

    running.push_back({"com.google.Chrome", "Google Chrome"});
    menu = button.refreshedMenu();
    ASSERT_EQ(menu->actions().size(), 2);
    menu->actions()[1]->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toString(), "com.google.Chrome");
    EXPECT_EQ(chosen[0][1].toString(), "Google Chrome");
}

} // namespace tarn::input

namespace tarn::input {

namespace {

// Where a widget paints in pure red (the symbol's colour here): its leftmost and rightmost column.
std::pair<int, int> redSpan(QWidget& widget)
{
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() > 200 && pixel.green() < 60 && pixel.blue() < 60) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

} // namespace

// The symbol leads its text: at the left edge, or at the right edge of a mirrored layout, with
// the text beside it rather than across the gap.
TEST(SymbolLeadingWidgets, TheSymbolSitsAtTheLeadingEdge)
{
    PresetTile tile(QStringLiteral("Copy"));
    tile.setSymbol("plus.circle.fill", Qt::red);
    // A label paints its text in the symbol's colour too: without one, only the symbol is red.
    SymbolLabel label("plus.circle.fill", TarnTextStyles::systemFont(12), Qt::red);
    for (QWidget* widget : std::initializer_list<QWidget*> {&tile, &label}) {
        widget->resize(240, 30);
        for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            SCOPED_TRACE(fmt::format("{} {}", widget->metaObject()->className(),
                direction == Qt::RightToLeft ? "right to left" : "left to right"));
            widget->setLayoutDirection(direction);
            const auto [left, right] = redSpan(*widget);
            ASSERT_LE(left, right) << "the symbol is painted";
            if (direction == Qt::RightToLeft) {
                EXPECT_GT(left, 200);
            } else {
                EXPECT_LT(right, 40);
            }
        }
    }
}

TEST(ScreenPage, LetsTheGroundShowThroughItsContent)
{
    ScreenPage page;
    auto* section = new QWidget;
    page.addSection(section);
    ASSERT_NE(page.widget(), nullptr);
    EXPECT_FALSE(page.widget()->autoFillBackground()) << "the scroll area must not paint over the ground";
    EXPECT_FALSE(page.viewport()->autoFillBackground());
    EXPECT_EQ(section->parentWidget(), page.widget());
}

} // namespace tarn::input
