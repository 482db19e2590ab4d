#include "TarnKit/UI/Panels/TarnDraggableFloatingPanel.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <QGridLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "TarnKit/UI/Panels/TarnCustomDragTrackingView.h"
#include "TarnKit/UI/Panels/TarnTearOffDragRegion.h"

namespace tarn {
namespace {

class OwnDragsWidget final : public QWidget, public TarnCustomDragTrackingView { };

// Collects where (in window coordinates) a widget saw its releases.
class ReleaseRecorder final : public QObject {
public:
    std::vector<QPoint> releases;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            releases.push_back(static_cast<QMouseEvent*>(event)->scenePosition().toPoint());
        }
        return QObject::eventFilter(watched, event);
    }
};

std::string pointText(QPoint point)
{
    return std::to_string(point.x()) + "," + std::to_string(point.y());
}

constexpr QPoint kStart {200, 150};
constexpr QPoint kBackground {10, 10};

// A shown panel with one control of each kind on a background margin, its pointer provider and
// callbacks recorded as lines ("began 204,150" ...).
struct PanelWorld {
    PanelWorld()
    {
        auto* content = new QWidget;
        content->setObjectName(QStringLiteral("content"));
        auto* grid = new QGridLayout(content);
        grid->setContentsMargins(40, 40, 40, 40);
        button = new QPushButton(QStringLiteral("Go"));
        button->setMinimumSize(120, 40);
        lineEdit = new QLineEdit;
        textEdit = new QTextEdit;
        slider = new QSlider(Qt::Horizontal);
        scrollBar = new QScrollBar(Qt::Horizontal);
        tearOff = new TarnTearOffDragRegion([](bool) {}, [](QPoint) {});
        tearOff->setMinimumSize(60, 30);
        ownDrags = new OwnDragsWidget;
        ownDrags->setMinimumSize(60, 30);
        grid->addWidget(button, 0, 0);
        grid->addWidget(lineEdit, 0, 1);
        grid->addWidget(textEdit, 1, 0);
        grid->addWidget(slider, 1, 1);
        grid->addWidget(scrollBar, 2, 0);
        grid->addWidget(tearOff, 2, 1);
        grid->addWidget(ownDrags, 3, 0);
        panel.setContentView(content);
        button->installEventFilter(&buttonReleases);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });

        panel.setScreenMouseLocationProvider([this] { return pointer; });
        auto& callbacks = panel.callbacks();
        callbacks.onEscapePressed = [this] { log.push_back("escape"); };
        callbacks.onDragBegan = [this](QRect frame) { log.push_back("began " + pointText(frame.topLeft())); };
        callbacks.onDragMoved = [this](QRect frame) {
            EXPECT_EQ(frame.size(), panel.size());
            log.push_back("moved " + pointText(frame.topLeft()));
        };
        callbacks.onDragEnded = [this](QPoint origin) { log.push_back("ended " + pointText(origin)); };
        callbacks.onDragCancelled = [this] { log.push_back("cancelled"); };

        panel.setGeometry(QRect(kStart, QSize(480, 400)));
        panel.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }

    QPoint centreOf(const QWidget* widget) const { return widget->mapTo(&panel, widget->rect().center()); }

    // The pointer the provider reports and the one Qt's events carry are the same: a point on the
    // screen, seen from wherever the panel is now.
    void press(QPoint windowPoint)
    {
        pointer = panel.mapToGlobal(windowPoint);
        m_pressPointer = pointer;
        QTest::mousePress(panel.windowHandle(), Qt::LeftButton, {}, windowPoint);
    }
    void moveTo(QPoint delta)
    {
        pointer = m_pressPointer + delta;
        QTest::mouseMove(panel.windowHandle(), panel.mapFromGlobal(pointer));
    }
    void release() { QTest::mouseRelease(panel.windowHandle(), Qt::LeftButton, {}, panel.mapFromGlobal(pointer)); }

    TarnDraggableFloatingPanel panel;
    QPushButton* button;
    QLineEdit* lineEdit;
    QTextEdit* textEdit;
    QSlider* slider;
    QScrollBar* scrollBar;
    TarnTearOffDragRegion* tearOff;
    OwnDragsWidget* ownDrags;
    ReleaseRecorder buttonReleases;
    QPoint pointer;
    std::vector<std::string> log;
    int clicks = 0;

private:
    QPoint m_pressPointer;
};

using Log = std::vector<std::string>;

TEST(TarnDraggableFloatingPanel, IsAFramelessToolWindowAboveOthersThatTheWindowManagerKnows)
{
    TarnDraggableFloatingPanel panel;
    for (const Qt::WindowType flag : {Qt::Tool, Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint}) {
        EXPECT_TRUE(panel.windowFlags().testFlag(flag)) << flag;
    }
    // Left out of the window manager's hands, the panel would take the keyboard behind its back.
    EXPECT_FALSE(panel.windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
    EXPECT_FALSE(panel.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(panel.dragState(), TarnDraggableFloatingPanel::DragState::idle);
}

TEST(TarnDraggableFloatingPanel, BelowFourPixelsAPressIsAClickAndFromFourADrag)
{
    struct Case {
        QPoint delta;
        bool drags;
    };
    const std::vector<Case> cases {
        {{3, 0}, false},
        {{2, 3}, false},
        {{0, -3}, false},
        {{4, 0}, true},
        {{0, -4}, true},
        {{3, 3}, true},
    };
    for (const Case& c : cases) {
        PanelWorld world;
        world.press(world.centreOf(world.button));
        EXPECT_EQ(world.panel.dragState(), TarnDraggableFloatingPanel::DragState::watching);
        world.moveTo(c.delta);
        world.release();
        const QPoint moved = kStart + c.delta;
        const Log expected = c.drags
            ? Log {"began " + pointText(moved), "moved " + pointText(moved), "ended " + pointText(moved)}
            : Log {};
        EXPECT_EQ(world.log, expected) << pointText(c.delta);
        EXPECT_EQ(world.clicks, c.drags ? 0 : 1) << pointText(c.delta);
        EXPECT_EQ(world.panel.dragState(), TarnDraggableFloatingPanel::DragState::idle);
        const QPoint expectedOrigin = c.drags ? moved : kStart;
        EXPECT_TRUE(QTest::qWaitFor([&] { return world.panel.pos() == expectedOrigin; }, 2000)) << pointText(c.delta);
    }
}

TEST(TarnDraggableFloatingPanel, ADragMovesByThePointerAndItsReleaseReachesTheContentFarAway)
{
    PanelWorld world;
    world.press(world.centreOf(world.button));
    world.moveTo({4, 0});
    EXPECT_EQ(world.panel.dragState(), TarnDraggableFloatingPanel::DragState::dragging);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ClosedHandCursor);
    world.moveTo({30, -20});
    world.moveTo({-15, 45});
    world.release();

    EXPECT_EQ(world.log, (Log {"began 204,150", "moved 204,150", "moved 230,130", "moved 185,195", "ended 185,195"}));
    EXPECT_EQ(world.clicks, 0);
    EXPECT_FALSE(world.button->isDown());
    EXPECT_EQ(
        world.buttonReleases.releases, (std::vector<QPoint> {TarnDraggableFloatingPanel::kReleasePointAfterDrag}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // The next ordinary click on the button works again.
    world.press(world.centreOf(world.button));
    world.release();
    EXPECT_EQ(world.clicks, 1);
}

TEST(TarnDraggableFloatingPanel, APressOnAControlWithDragsOfItsOwnNeverMovesThePanel)
{
    PanelWorld world;
    const std::vector<std::pair<std::string, QWidget*>> controls {
        {"line edit", world.lineEdit},
        {"text editor", world.textEdit->viewport()},
        {"slider", world.slider},
        {"scroll bar", world.scrollBar},
        {"tear-off handle", world.tearOff},
        {"marked widget", world.ownDrags},
    };
    for (const auto& [name, control] : controls) {
        world.press(world.centreOf(control));
        EXPECT_EQ(world.panel.dragState(), TarnDraggableFloatingPanel::DragState::idle) << name;
        world.moveTo({40, 30});
        world.moveTo({80, 60});
        world.release();
        EXPECT_TRUE(world.log.empty()) << name;
        EXPECT_EQ(world.panel.pos(), kStart) << name;
    }

    // The same spot is background without content.
    world.panel.setContentView(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    world.press(QPoint(240, 200));
    EXPECT_EQ(world.panel.dragState(), TarnDraggableFloatingPanel::DragState::watching);
    world.release();
}

TEST(TarnDraggableFloatingPanel, EscapeCancelsADragBeforeItIsReportedAndWhileIdleIsOnlyReported)
{
    PanelWorld world;
    QTest::keyClick(&world.panel, Qt::Key_Escape);
    EXPECT_EQ(world.log, (Log {"escape"}));

    world.log.clear();
    world.press(kBackground);
    world.moveTo({10, 0});
    QTest::keyClick(&world.panel, Qt::Key_Escape);
    EXPECT_EQ(world.log, (Log {"began 210,150", "moved 210,150", "cancelled", "escape"}));
    EXPECT_EQ(world.panel.dragState(), TarnDraggableFloatingPanel::DragState::idle);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Further moves of the held button do nothing; its release ends nothing.
    world.moveTo({30, 0});
    world.release();
    EXPECT_EQ(world.log.size(), 4U);
}

TEST(TarnDraggableFloatingPanel, AReleaseAfterACancelledDragDoesNotClickTheContent)
{
    PanelWorld world;
    world.press(world.centreOf(world.button));
    world.moveTo({5, 0});
    QTest::keyClick(&world.panel, Qt::Key_Escape);
    world.moveTo({0, 0});
    world.release();
    EXPECT_EQ(world.clicks, 0);
    EXPECT_EQ(
        world.buttonReleases.releases, (std::vector<QPoint> {TarnDraggableFloatingPanel::kReleasePointAfterDrag}));
}

TEST(TarnDraggableFloatingPanel, HidingCancelsADrag)
{
    PanelWorld world;
    world.press(kBackground);
    world.moveTo({0, 8});
    world.panel.hide();
    EXPECT_EQ(world.log, (Log {"began 200,158", "moved 200,158", "cancelled"}));
    world.release();
}

TEST(TarnDraggableFloatingPanel, LosingTheKeyboardCancelsADragBeforeItIsReported)
{
    PanelWorld world;
    int resignations = 0;
    QObject::connect(&world.panel, &TarnDraggableFloatingPanel::didResignKey, [&] {
        world.log.push_back("resigned");
        ++resignations;
    });
    world.press(kBackground);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&world.panel)) << "a press makes the panel the key window";
    world.moveTo({-6, 0});
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(world.log, (Log {"began 194,150", "moved 194,150", "cancelled", "resigned"}));
    EXPECT_EQ(resignations, 1);
}

TEST(TarnDraggableFloatingPanel, AClickOnAnInactivePanelMakesItTheKeyWindowAndReachesTheContent)
{
    PanelWorld world;
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    world.press(world.centreOf(world.button));
    world.release();
    EXPECT_EQ(world.clicks, 1);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&world.panel));
}

// Random presses on the background, a button and a slider, moves, releases, Escape and hides:
// the callbacks always read (began moved+ (ended | cancelled))* with Escape anywhere, the
// closed hand shows exactly while dragging, the panel is only where a drag put it, and the
// button clicks only when no drag began since its press.
TEST(TarnDraggableFloatingPanel, RandomSequencesKeepTheDragContract)
{
    PanelWorld world;
    std::mt19937 random(38);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    bool pressed = false;
    bool pressedButton = false;
    std::size_t logAtPress = 0;
    int expectedClicks = 0;
    QPoint expectedOrigin = kStart;
    QPoint delta;

    for (int step = 0; step < 400; ++step) {
        const int action = pick(0, 9);
        if (!pressed && action <= 3) {
            const int target = pick(0, 2);
            pressedButton = target == 1;
            world.press(target == 0 ? kBackground
                                    : world.centreOf(target == 1 ? static_cast<QWidget*>(world.button) : world.slider));
            pressed = true;
            delta = {};
            logAtPress = world.log.size();
        } else if (pressed && action <= 6) {
            // Mostly small steps, so that clicks and the threshold are both met often.
            delta += QPoint(pick(-3, 3), pick(-3, 3));
            world.moveTo(delta);
        } else if (pressed && action == 7) {
            world.release();
            pressed = false;
            const bool began = std::any_of(world.log.begin() + static_cast<std::ptrdiff_t>(logAtPress), world.log.end(),
                [](const std::string& line) { return line.rfind("began", 0) == 0; });
            if (pressedButton && !began) {
                ++expectedClicks;
            }
        } else if (action == 8) {
            QTest::keyClick(&world.panel, Qt::Key_Escape);
        } else if (!pressed && action == 9) {
            world.panel.hide();
            world.panel.show();
        }
        ASSERT_EQ(QGuiApplication::overrideCursor() != nullptr,
            world.panel.dragState() == TarnDraggableFloatingPanel::DragState::dragging)
            << "step " << step;
        if (!world.log.empty() && world.log.back().rfind("moved ", 0) == 0) {
            const std::string origin = world.log.back().substr(6);
            const auto comma = origin.find(',');
            expectedOrigin = {std::stoi(origin.substr(0, comma)), std::stoi(origin.substr(comma + 1))};
        }
        ASSERT_EQ(world.clicks, expectedClicks) << "step " << step;
    }
    if (pressed) {
        world.release();
    }

    enum class Grammar { idle, began, moving };
    Grammar state = Grammar::idle;
    std::size_t drags = 0;
    for (const std::string& line : world.log) {
        const std::string word = line.substr(0, line.find(' '));
        if (word == "escape") {
            ASSERT_NE(state, Grammar::began);
            ASSERT_NE(state, Grammar::moving) << "Escape ends a drag before it is reported";
        } else if (word == "began") {
            ASSERT_EQ(state, Grammar::idle);
            state = Grammar::began;
            ++drags;
        } else if (word == "moved") {
            ASSERT_NE(state, Grammar::idle);
            state = Grammar::moving;
        } else {
            ASSERT_TRUE(word == "ended" || word == "cancelled") << line;
            ASSERT_EQ(state, Grammar::moving);
            state = Grammar::idle;
        }
    }
    EXPECT_EQ(state, Grammar::idle);
    EXPECT_GT(drags, 10U) << "the sequence should exercise drags";
    EXPECT_GT(expectedClicks, 3) << "and clicks";
    EXPECT_TRUE(QTest::qWaitFor([&] { return world.panel.pos() == expectedOrigin; }, 2000));
}

} // namespace
} // namespace tarn
