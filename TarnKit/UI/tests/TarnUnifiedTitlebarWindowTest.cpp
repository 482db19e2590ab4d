#include "TarnKit/UI/Chrome/TarnUnifiedTitlebarWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnKit/UI/Chrome/TarnWindowButtons.h"
#include "TarnKit/UI/Chrome/TarnWindowDragArea.h"

namespace tarn {
namespace {

class FixedPreference final : public TitlebarDoubleClickPreference {
public:
    explicit FixedPreference(std::optional<std::string> value)
        : m_value(std::move(value))
    {
    }
    std::optional<std::string> action() const override { return m_value; }

private:
    std::optional<std::string> m_value;
};

std::unique_ptr<TarnUnifiedTitlebarWindow> makeWindow(const TitlebarDoubleClickPreference* preference = nullptr)
{
    auto window = std::make_unique<TarnUnifiedTitlebarWindow>(
        TarnUnifiedTitlebarMode::unifiedHeader, TarnLanguage::en, 16, 14, preference);
    window->setHeaderContent(new QLabel(QStringLiteral("Header")));
    window->setContent(new QWidget);
    window->setGeometry(100, 100, 640, 420);
    return window;
}

TEST(TarnUnifiedTitlebarWindow, IsFramelessAndMeasuresItsOwnButtons)
{
    auto window = makeWindow();
    QSignalSpy reports(window.get(), &TarnUnifiedTitlebarWindow::metricsChanged);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window->toolbarIdentifier(), std::string(TarnUnifiedTitlebar::kToolbarIdentifier));
    EXPECT_EQ(window->buttonFrame(WindowButton::close), (WindowRect {14, 20, 12, 12}));
    EXPECT_EQ(window->buttonFrame(WindowButton::zoom), (WindowRect {54, 20, 12, 12}));
    EXPECT_EQ(window->metrics(), (TarnUnifiedTitlebarMetrics {80, 26, 32, 46, false}));
    EXPECT_EQ(window->headerBar()->layout()->contentsMargins().left(), 80) << "header content starts past the buttons";
    EXPECT_EQ(window->headerBar()->height(), 52);

    // A resize that does not move the buttons reports nothing new.
    const auto before = reports.count();
    window->resize(700, 480);
    EXPECT_EQ(reports.count(), before);
}

TEST(TarnUnifiedTitlebarWindow, HeaderDoubleClickFollowsTheDesktopPreference)
{
    const FixedPreference minimize("Minimize");
    auto window = makeWindow(&minimize);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseDClick(window->headerBar(), Qt::LeftButton, {}, QPoint(300, 26));
    EXPECT_TRUE(window->isMinimized());

    const FixedPreference none("None");
    auto still = makeWindow(&none);
    still->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(still.get()));
    QTest::mouseDClick(still->headerBar(), Qt::LeftButton, {}, QPoint(300, 26));
    EXPECT_FALSE(still->isMinimized());
    EXPECT_FALSE(still->isMaximized());
}

TEST(TarnUnifiedTitlebarWindow, DraggingTheHeaderMovesTheWindowByHandWithoutAWindowManager)
{
    auto window = makeWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QPoint start = window->pos();
    QWidget* header = window->headerBar();
    const QPoint grab = header->mapToGlobal(QPoint(300, 26));
    // Test events carry the global position of a local one, and the window moves under it.
    const auto at = [&](QPoint offset) { return header->mapFromGlobal(grab + offset); };
    QTest::mousePress(header, Qt::LeftButton, {}, at({0, 0}));
    QTest::mouseMove(header, at({1, 1}));
    EXPECT_EQ(window->pos(), start) << "a move below the drag distance is still a click";
    QTest::mouseMove(header, at({20, 10}));
    QTest::mouseMove(header, at({40, 30}));
    QTest::mouseRelease(header, Qt::LeftButton, {}, at({40, 30}));
    EXPECT_TRUE(window->headerBar()->lastDragWasManual());
    EXPECT_EQ(window->pos(), start + QPoint(40, 30));
}

TEST(TarnUnifiedTitlebarWindow, EdgesResizeTheWindowByHandWithoutAWindowManager)
{
    auto window = makeWindow();
    window->setMinimumSize(300, 200);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QRect start = window->geometry();
    QWidget* content = window->childAt(window->width() - 2, window->height() - 2);
    ASSERT_NE(content, nullptr);
    const QPoint corner = window->mapToGlobal(QPoint(window->width() - 2, window->height() - 2));
    const auto at = [&](QPoint offset) { return content->mapFromGlobal(corner + offset); };
    QTest::mousePress(content, Qt::LeftButton, {}, at({0, 0}));
    QTest::mouseMove(content, at({30, 20}));
    QTest::mouseRelease(content, Qt::LeftButton, {}, at({30, 20}));
    EXPECT_EQ(window->geometry(), start.adjusted(0, 0, 30, 20));
    QTest::mouseMove(
        content, content->mapFromGlobal(window->mapToGlobal(QPoint(window->width() - 2, window->height() - 2))));
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(content, content->mapFromGlobal(window->mapToGlobal(QPoint(200, 200))));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // The left edge stops at the minimum width.
    const QRect wide = window->geometry();
    const QPoint left = window->mapToGlobal(QPoint(1, 200));
    QWidget* leftChild = window->childAt(1, 200);
    ASSERT_NE(leftChild, nullptr);
    QTest::mousePress(leftChild, Qt::LeftButton, {}, leftChild->mapFromGlobal(left));
    QTest::mouseMove(leftChild, leftChild->mapFromGlobal(left + QPoint(1000, 0)));
    QTest::mouseRelease(leftChild, Qt::LeftButton, {}, leftChild->mapFromGlobal(left + QPoint(1000, 0)));
    EXPECT_EQ(window->width(), 300);
    EXPECT_EQ(window->geometry().right(), wide.right());
}

TEST(TarnUnifiedTitlebarWindow, WindowButtonsCloseMinimiseAndZoom)
{
    auto window = makeWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(window->windowButtons()->button(WindowButton::zoom), Qt::LeftButton);
    EXPECT_TRUE(window->isMaximized());
    QTest::mouseClick(window->windowButtons()->button(WindowButton::zoom), Qt::LeftButton);
    EXPECT_FALSE(window->isMaximized());
    QTest::mouseClick(window->windowButtons()->button(WindowButton::minimize), Qt::LeftButton);
    EXPECT_TRUE(window->isMinimized());
    window->showNormal();
    QTest::mouseClick(window->windowButtons()->button(WindowButton::close), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

// The buttons speak the language the window was built in, not a process-wide one.
TEST(TarnUnifiedTitlebarWindow, WindowButtonsSpeakTheGivenLanguage)
{
    const TarnUnifiedTitlebarWindow english(TarnUnifiedTitlebarMode::unifiedHeader, TarnLanguage::en);
    const TarnUnifiedTitlebarWindow turkish(TarnUnifiedTitlebarMode::unifiedHeader, TarnLanguage::tr);
    const std::pair<WindowButton, std::pair<const char*, const char*>> rows[] {
        {WindowButton::close, {"Close", "Kapat"}},
        {WindowButton::minimize, {"Minimize", "Simge durumuna küçült"}},
        {WindowButton::zoom, {"Zoom", "Büyüt"}},
    };
    for (const auto& [button, texts] : rows) {
        EXPECT_EQ(english.windowButtons()->button(button)->toolTip(), QString::fromUtf8(texts.first));
        EXPECT_EQ(turkish.windowButtons()->button(button)->toolTip(), QString::fromUtf8(texts.second));
        EXPECT_EQ(turkish.windowButtons()->button(button)->accessibleName(), QString::fromUtf8(texts.second));
    }
}

TEST(TarnUnifiedTitlebarWindow, FullScreenHidesTheButtonsAndReportsTheFullScreenMetrics)
{
    auto window = makeWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->showFullScreen();
    EXPECT_EQ(window->metrics(), (TarnUnifiedTitlebarMetrics {16, 26, 0, 16, true}));
    EXPECT_EQ(window->buttonFrame(WindowButton::close), std::nullopt);
    window->showNormal();
    EXPECT_EQ(window->metrics(), (TarnUnifiedTitlebarMetrics {80, 26, 32, 46, false}));
}

} // namespace
} // namespace tarn
