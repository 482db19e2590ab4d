#include "TarnKit/UI/Panels/TarnTearOffDragRegion.h"

#include <string>
#include <vector>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace tarn {
namespace {

// A host window with a handle in it; the handle's reports recorded as lines.
struct TearOffWorld {
    TearOffWorld()
        : handle(new TarnTearOffDragRegion([this](bool outside) { log.push_back(outside ? "outside" : "inside"); },
            [this](QPoint point) {
                log.push_back("dropped " + std::to_string(point.x()) + "," + std::to_string(point.y()));
            },
            &host))
    {
        host.setGeometry(300, 200, 400, 300);
        handle->setGeometry(20, 20, 100, 30);
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    // Mouse events carry the screen point the handle reads.
    void send(QEvent::Type type, QPoint screenPoint, Qt::MouseButtons held)
    {
        const QPointF local = handle->mapFromGlobal(QPointF(screenPoint));
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, local, QPointF(screenPoint), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &event);
    }
    void press(QPoint point) { send(QEvent::MouseButtonPress, point, Qt::LeftButton); }
    void drag(QPoint point) { send(QEvent::MouseMove, point, Qt::LeftButton); }
    void release(QPoint point) { send(QEvent::MouseButtonRelease, point, Qt::NoButton); }

    // The host's frame grown by the margin: the line the pointer has to cross.
    QRect grownFrame() const { return host.frameGeometry().adjusted(-4, -4, 4, 4); }

    QWidget host;
    TarnTearOffDragRegion* handle;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(TarnTearOffDragRegion, ShowsAnOpenHandAndClaimsItsOwnDrags)
{
    TearOffWorld world;
    EXPECT_EQ(world.handle->cursor().shape(), Qt::OpenHandCursor);
    EXPECT_NE(dynamic_cast<TarnCustomDragTrackingView*>(world.handle), nullptr);
}

TEST(TarnTearOffDragRegion, LeavingAndComingBackReportsOutsideThenInsideWithoutADrop)
{
    TearOffWorld world;
    const QRect frame = world.grownFrame();
    const QPoint start = world.handle->mapToGlobal(QPoint(50, 15));
    world.press(start);
    EXPECT_TRUE(world.handle->isTracking());
    world.drag(start + QPoint(5, 5));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "below 8 px nothing changes";
    world.drag(QPoint(frame.right(), start.y()));
    EXPECT_TRUE(world.log.empty()) << "the grown frame still holds the pointer";
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ClosedHandCursor);
    world.drag(QPoint(frame.right() + 1, start.y()));
    world.drag(QPoint(frame.right() + 60, start.y()));
    EXPECT_TRUE(world.handle->isOutsideHost());
    world.drag(start + QPoint(30, 0));
    world.release(start + QPoint(30, 0));
    EXPECT_EQ(world.log, (Log {"outside", "inside"}));
    EXPECT_FALSE(world.handle->isTracking());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(TarnTearOffDragRegion, ReleasingOutsideReportsInsideThenTheDropPointOnTheScreen)
{
    TearOffWorld world;
    const QPoint start = world.handle->mapToGlobal(QPoint(50, 15));
    const QPoint drop(world.grownFrame().left() - 30, world.grownFrame().top() - 40);
    world.press(start);
    world.drag(drop);
    world.release(drop);
    EXPECT_EQ(
        world.log, (Log {"outside", "inside", "dropped " + std::to_string(drop.x()) + "," + std::to_string(drop.y())}));
    EXPECT_FALSE(world.handle->isOutsideHost());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(TarnTearOffDragRegion, NearTheStartOutsideDoesNotCountAndWithoutAPressNothingTracks)
{
    TearOffWorld world;
    // A handle at the window's edge: a pointer 7 px away is outside the frame, yet too near.
    world.handle->move(0, 0);
    const QPoint start = world.handle->mapToGlobal(QPoint(0, 0));
    ASSERT_FALSE(world.grownFrame().contains(start + QPoint(-7, 0)));
    world.press(start);
    world.drag(start + QPoint(-7, 0));
    world.release(start + QPoint(-7, 0));
    EXPECT_TRUE(world.log.empty());

    world.drag(start + QPoint(-100, 0));
    world.release(start + QPoint(-100, 0));
    EXPECT_TRUE(world.log.empty());
}

} // namespace
} // namespace tarn
