#include "TarnKit/UI/Panels/TarnFloatingPanelController.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnKit/UI/Panels/TarnDraggableFloatingPanel.h"
#include "TarnKit/UI/Panels/TarnFloatingPanelPlacement.h"

namespace tarn {
namespace {

constexpr QSize kSize {320, 180};

// Counts dismissals and content builds; each build makes a label naming its number.
struct ControllerWorld {
    explicit ControllerWorld(bool dismissOnResignKey = true)
        : controller(kSize, dismissOnResignKey, [this] { ++dismissals; })
    {
    }

    TarnFloatingPanelController::ContentBuilder content()
    {
        return [this] {
            ++builds;
            auto label = std::make_unique<QLabel>(QStringLiteral("content %1").arg(builds));
            label->setObjectName(QStringLiteral("content"));
            return label;
        };
    }

    void showAt(QPoint origin) { controller.show(false, QRect(origin, QSize(10, 10)), content()); }

    int dismissals = 0;
    int builds = 0;
    TarnFloatingPanelController controller;
};

TEST(TarnFloatingPanelController, CreatesOneTranslucentPanelOnTheFirstShowAndReusesIt)
{
    ControllerWorld world;
    EXPECT_EQ(world.controller.panel(), nullptr);
    EXPECT_FALSE(world.controller.isVisible());

    world.showAt({100, 120});
    TarnDraggableFloatingPanel* panel = world.controller.panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(world.controller.isVisible());
    EXPECT_TRUE(panel->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_TRUE(panel->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(panel->size(), kSize);
    const QPointer<QWidget> first = panel->contentView();

    world.controller.hide();
    world.showAt({140, 160});
    EXPECT_EQ(world.controller.panel(), panel);
    EXPECT_EQ(world.builds, 2);
    EXPECT_EQ(qobject_cast<QLabel*>(panel->contentView())->text(), QStringLiteral("content 2"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull()) << "each show builds the content anew";
}

TEST(TarnFloatingPanelController, AnAnchorPlacesThePanelWhateverCentringSays)
{
    for (const bool centred : {false, true}) {
        ControllerWorld world;
        world.controller.show(centred, QRect(333, 222, 40, 20), world.content());
        EXPECT_EQ(world.controller.panel()->pos(), QPoint(333, 222)) << centred;
    }
}

TEST(TarnFloatingPanelController, CentresOnTheScreenUnderThePointerOrStaysWhereItWas)
{
    ControllerWorld world;
    world.showAt({50, 60});
    world.controller.hide();

    world.controller.show(false, std::nullopt, world.content());
    EXPECT_EQ(world.controller.panel()->pos(), QPoint(50, 60)) << "neither anchor nor centring: it stays";

    QScreen* screen = QGuiApplication::primaryScreen();
    QCursor::setPos(screen->geometry().center());
    world.controller.show(true, std::nullopt, world.content());
    EXPECT_EQ(
        world.controller.panel()->pos(), TarnFloatingPanelPlacement::centredOrigin(screen->availableGeometry(), kSize));
}

TEST(TarnFloatingPanelController, EveryHideCallsOnDismissOnce)
{
    struct Path {
        const char* name;
        std::function<void(ControllerWorld&)> hide;
    };
    const std::vector<Path> paths {
        {"hide()", [](ControllerWorld& world) { world.controller.hide(); }},
        {"toggle", [](ControllerWorld& world) { world.controller.toggle(false, std::nullopt, world.content()); }},
        {"Escape", [](ControllerWorld& world) { QTest::keyClick(world.controller.panel(), Qt::Key_Escape); }},
        {"focus loss",
            [](ControllerWorld& world) {
                world.controller.panel()->activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(world.controller.panel()));
                QWidget other;
                other.show();
                other.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
            }},
    };
    for (const Path& path : paths) {
        ControllerWorld world;
        world.showAt({100, 100});
        ASSERT_TRUE(QTest::qWaitForWindowExposed(world.controller.panel()));
        path.hide(world);
        // Whatever the window system reports later (the panel losing the keyboard) is no second dismissal.
        QCoreApplication::processEvents();
        EXPECT_FALSE(world.controller.isVisible()) << path.name;
        EXPECT_EQ(world.dismissals, 1) << path.name;
    }
}

TEST(TarnFloatingPanelController, HideCallsOnDismissEvenWithoutAPanel)
{
    ControllerWorld world;
    world.controller.hide();
    EXPECT_EQ(world.dismissals, 1);
    EXPECT_EQ(world.controller.panel(), nullptr);
}

TEST(TarnFloatingPanelController, ToggleShowsAHiddenPanel)
{
    ControllerWorld world;
    world.controller.toggle(false, QRect(70, 80, 1, 1), world.content());
    EXPECT_TRUE(world.controller.isVisible());
    EXPECT_EQ(world.dismissals, 0);
    EXPECT_EQ(world.controller.panel()->pos(), QPoint(70, 80));
}

TEST(TarnFloatingPanelController, WithoutDismissOnResignKeyLosingTheKeyboardKeepsThePanel)
{
    ControllerWorld world(false);
    world.showAt({100, 100});
    world.controller.panel()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(world.controller.panel()));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(world.controller.isVisible());
    EXPECT_EQ(world.dismissals, 0);
}

} // namespace
} // namespace tarn
