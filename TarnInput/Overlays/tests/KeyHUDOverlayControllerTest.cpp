#include "TarnInput/Overlays/KeyHUD/KeyHUDOverlayController.h"

#include <cmath>
#include <limits>

#include <QApplication>
#include <gtest/gtest.h>

#include "OverlayTestSupport.h"
#include "TarnInput/Overlays/KeyHUD/KeyHUDLayout.h"
#include "TarnInput/Overlays/KeyHUD/KeyHUDPillView.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace tarn::input {
namespace {

using std::chrono::milliseconds;

class KeyHUDOverlayControllerTest : public ::testing::Test {
protected:
    KeyHUDOverlayControllerTest() { screens.setLayout(twoScreenLayout()); }

    void push(const std::string& text, double duration = 1.6, KeyHUDPosition position = KeyHUDPosition::bottomCenter)
    {
        controller.push(hudToken(text), position, duration);
    }

    std::vector<std::string> shownTexts() const
    {
        std::vector<std::string> texts;
        for (const KeyHUDToken& token : controller.panel()->tokens()) {
            texts.push_back(token.text);
        }
        return texts;
    }

    bool shown() const { return controller.panel() != nullptr && controller.panel()->isVisible(); }

    FakeOverlayClock clock;
    FakeOverlayScreens screens;
    FakeOverlayWindowManager windowManager;
    KeyHUDOverlayController controller {clock, screens, windowManager};
};

TEST_F(KeyHUDOverlayControllerTest, FiveQuickKeysShowTheLastFourOldestAtTheLeft)
{
    EXPECT_EQ(controller.panel(), nullptr) << "no window before the first key";
    for (const char* text : {"A", "B", "C", "D", "E"}) {
        push(text);
        clock.advance(milliseconds(50));
    }
    ASSERT_TRUE(shown());
    EXPECT_EQ(shownTexts(), (std::vector<std::string> {"B", "C", "D", "E"}));
    EXPECT_EQ(controller.panel()->size(), QSize(468, 64));
}

TEST_F(KeyHUDOverlayControllerTest, HidesTheBoundedDurationAfterTheLastKey)
{
    const struct {
        double duration;
        milliseconds hideAfter;
    } cases[] = {{0.0, milliseconds(600)}, {-1.0, milliseconds(600)}, {std::nan(""), milliseconds(600)},
        {std::numeric_limits<double>::infinity(), milliseconds(600)}, {2.5, milliseconds(2500)},
        {1e12, milliseconds(4000)}};
    for (const auto& c : cases) {
        KeyHUDOverlayController hud(clock, screens, windowManager);
        hud.push(hudToken("⌘K"), KeyHUDPosition::bottomCenter, c.duration);
        clock.advance(c.hideAfter - milliseconds(1));
        EXPECT_TRUE(hud.panel()->isVisible()) << c.duration;
        clock.advance(milliseconds(1));
        EXPECT_FALSE(hud.panel()->isVisible()) << c.duration;
        EXPECT_TRUE(hud.tokens().tokens().empty()) << c.duration;
        EXPECT_EQ(clock.pendingCount(), 0U) << c.duration;
    }
}

TEST_F(KeyHUDOverlayControllerTest, AKeyBeforeTheTimerRunsOutRestartsIt)
{
    push("A", 1.0);
    clock.advance(milliseconds(500));
    push("B", 1.0);
    clock.advance(milliseconds(999));
    ASSERT_TRUE(shown()) << "1.499 s after the first key, 0.999 s after the second";
    EXPECT_EQ(shownTexts(), (std::vector<std::string> {"A", "B"}));
    clock.advance(milliseconds(1));
    EXPECT_FALSE(shown());
}

TEST_F(KeyHUDOverlayControllerTest, AfterHidingTheNextKeyStartsAFreshRow)
{
    push("A");
    push("B");
    push("C");
    clock.advance(milliseconds(1600));
    ASSERT_FALSE(shown());
    push("D");
    EXPECT_TRUE(shown());
    EXPECT_EQ(shownTexts(), (std::vector<std::string> {"D"}));
    EXPECT_EQ(controller.panel()->size(), QSize(144, 64));
}

TEST_F(KeyHUDOverlayControllerTest, StandsOnTheScreenUnderThePointer)
{
    // The free area of the second screen is (1920, 28) to (3200, 720). The key's words set the
    // window's width.
    screens.setCursor(QPointF(2500, 400));
    const struct {
        KeyHUDPosition anchor;
        QPoint (*origin)(int width);
    } cases[] = {
        {KeyHUDPosition::bottomCenter, [](int width) { return QPoint(2560 - width / 2, 720 - 34 - 64); }},
        {KeyHUDPosition::bottomLeft, [](int) { return QPoint(1920 + 34, 720 - 34 - 64); }},
        {KeyHUDPosition::bottomRight, [](int width) { return QPoint(3200 - 34 - width, 720 - 34 - 64); }},
        {KeyHUDPosition::topRight, [](int width) { return QPoint(3200 - 34 - width, 28 + 34); }},
    };
    for (const auto& c : cases) {
        KeyHUDOverlayController hud(clock, screens, windowManager);
        hud.push(hudToken("⇧⌘4"), c.anchor, 1.0);
        EXPECT_EQ(hud.panel()->pos(), c.origin(hud.panel()->width())) << rawValue(c.anchor);
    }

    screens.setCursor(QPointF(2500, 1000));
    push("A", 1.0, KeyHUDPosition::bottomLeft);
    EXPECT_EQ(controller.panel()->pos(), QPoint(1920 + 34, 720 - 34 - 64)) << "off every screen: the primary";
}

TEST_F(KeyHUDOverlayControllerTest, WithoutScreensTheWindowStaysWhereItWas)
{
    push("A", 1.0, KeyHUDPosition::bottomLeft);
    const QPoint before = controller.panel()->pos();
    screens.setLayout({});
    push("B", 1.0, KeyHUDPosition::topRight);
    EXPECT_EQ(controller.panel()->pos(), before);
    EXPECT_TRUE(shown());
}

TEST_F(KeyHUDOverlayControllerTest, TheWindowNeverTakesFocusOrInputAndIsPreparedBeforeEachShow)
{
    push("A");
    const QWidget& panel = *controller.panel();
    const Qt::WindowFlags flags = panel.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    for (const Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint, Qt::WindowDoesNotAcceptFocus,
             Qt::WindowTransparentForInput}) {
        EXPECT_TRUE(flags.testFlag(flag)) << flag;
    }
    EXPECT_TRUE(panel.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(panel.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(QApplication::activeWindow(), nullptr);

    push("B");
    EXPECT_EQ(windowManager.prepared(), (std::vector<std::uint64_t> {panel.winId()})) << "once while it stays shown";
    clock.advance(milliseconds(1600));
    push("C");
    EXPECT_EQ(windowManager.prepared().size(), 2U) << "again when it comes back";
}

TEST_F(KeyHUDOverlayControllerTest, WithoutACompositorTheWindowIsMaskedToTheCapsule)
{
    windowManager.setCompositing(false);
    push("⌘K");
    const KeyHUDPillView& panel = *controller.panel();
    const QRectF capsule = panel.capsuleRect();
    ASSERT_FALSE(panel.mask().isEmpty());
    EXPECT_TRUE(panel.mask().contains(capsule.center().toPoint()));
    EXPECT_FALSE(panel.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(
        panel.mask().contains(QPoint(static_cast<int>(capsule.left()) + 1, static_cast<int>(capsule.top()) + 1)))
        << "the rounded end is cut away";

    windowManager.setCompositing(true);
    push("⌘L");
    EXPECT_TRUE(panel.mask().isEmpty()) << "a compositor blends the translucent corners itself";
}

TEST_F(KeyHUDOverlayControllerTest, PaintsTheCapsuleAndTheKeyCapsInTheirColours)
{
    push("⌘K");
    KeyHUDPillView& panel = const_cast<KeyHUDPillView&>(*controller.panel());
    const QImage image = paintedImage(panel);
    const QRectF capsule = panel.capsuleRect();
    const int middle = static_cast<int>(capsule.center().y());

    const QColor capsuleFill = QColor::fromRgbF(12.0F / 255.0F, 31.0F / 255.0F, 43.0F / 255.0F, 0.92F);
    EXPECT_TRUE(colorNear(image.pixelColor(static_cast<int>(capsule.left()) + 8, middle), capsuleFill))
        << image.pixelColor(static_cast<int>(capsule.left()) + 8, middle).name(QColor::HexArgb).toStdString();
    EXPECT_EQ(image.pixelColor(1, 1).alpha(), 0) << "outside the capsule the window is clear";

    // Inside the key cap, left of its text: the accent at 0.32 over the capsule.
    const QColor accent = accentColor(TarnProductPalette::deepAbyss);
    const QColor capFill = over(withAlpha(accent, 0.32), capsuleFill);
    const QPoint inCap(static_cast<int>(capsule.left()) + 14 + 5, middle);
    EXPECT_TRUE(colorNear(image.pixelColor(inCap), capFill))
        << image.pixelColor(inCap).name(QColor::HexArgb).toStdString();

    // Typed text sits on white at 0.14.
    clock.advance(milliseconds(1600));
    controller.push(hudToken("a", false), KeyHUDPosition::bottomCenter, 1.0);
    const QImage typed = paintedImage(panel);
    const QPoint inTypedCap(static_cast<int>(panel.capsuleRect().left()) + 14 + 5, middle);
    EXPECT_TRUE(colorNear(typed.pixelColor(inTypedCap), over(withAlpha(Qt::white, 0.14), capsuleFill)))
        << typed.pixelColor(inTypedCap).name(QColor::HexArgb).toStdString();
}

TEST_F(KeyHUDOverlayControllerTest, LongKeyTextsShareTheWindowInsteadOfRunningOffIt)
{
    // The pointer is on the first screen, whose free area is 1920 wide.
    push(std::string(200, 'x'));
    push("a line\nbreak");
    const KeyHUDPillView& panel = *controller.panel();
    const QRectF capsule = panel.capsuleRect();
    EXPECT_GE(capsule.left(), 0.0);
    EXPECT_LE(capsule.right(), panel.width());
    EXPECT_EQ(panel.size(), QSize(1920 - 2 * 34, 64)) << "as wide as the screen allows, and no wider";
    EXPECT_EQ(panel.pos().x(), 34);
}

TEST_F(KeyHUDOverlayControllerTest, KeysNamedInWordsAreShownWholeLeftToRightInAWiderWindow)
{
    const auto pill = [this](Qt::LayoutDirection direction) {
        QGuiApplication::setLayoutDirection(direction);
        KeyHUDOverlayController hud(clock, screens, windowManager);
        for (const char* token : {"⇧⌘K", "⌃⌥⇧⌘Space", "⌘↩", "⌃←"}) {
            hud.push(hudToken(token), KeyHUDPosition::bottomCenter, 1.0);
        }
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        KeyHUDPillView& panel = const_cast<KeyHUDPillView&>(*hud.panel());
        EXPECT_EQ(
            panel.shownTexts(), QStringList({"Shift+Super+K", "Ctrl+Alt+Shift+Super+Space", "Super+Enter", "Ctrl+←"}))
            << "nothing cut";
        EXPECT_GT(panel.width(), KeyHUDLayout::width(4));
        EXPECT_EQ(panel.width(), panel.naturalWidth());
        return paintedImage(panel);
    };
    EXPECT_EQ(pill(Qt::RightToLeft), pill(Qt::LeftToRight)) << "keys read left to right in a mirrored interface too";
}

TEST_F(KeyHUDOverlayControllerTest, AControllerThatIsGoneLeavesNoTimerBehind)
{
    {
        KeyHUDOverlayController hud(clock, screens, windowManager);
        hud.push(hudToken("A"), KeyHUDPosition::bottomCenter, 2.0);
        hud.showClickRipple(ClickRippleEvent {{100, 100}, false});
        EXPECT_GT(clock.pendingCount(), 0U);
    }
    EXPECT_EQ(clock.pendingCount(), 0U);
    clock.advance(milliseconds(5000));
}

} // namespace
} // namespace tarn::input
