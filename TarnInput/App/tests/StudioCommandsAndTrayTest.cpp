#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <gtest/gtest.h>

#include "TarnInput/App/Studio/ShortcutWordsMenu.h"
#include "TarnInput/App/Studio/StudioCommands.h"
#include "TarnInput/App/Studio/SuperKeyNames.h"
#include "TarnInput/App/Tray/MenuBarInputPopoverView.h"
#include "TarnInput/App/Tray/StudioTray.h"
#include "TarnInput/App/Tray/TrayIconArt.h"
#include "TarnInput/App/tests/AppTestSupport.h"

namespace tarn::input::testing {
namespace {

QStringList texts(const QMenu& menu)
{
    QStringList result;
    for (const QAction* action : menu.actions()) {
        result << (action->isSeparator() ? QStringLiteral("—") : action->text());
    }
    return result;
}

TEST(StudioCommands, ThreeCommandsInOrderFollowTheLanguageUnderAFixedTitle)
{
    ScreenFixture f;
    f.start();
    TrayViewModel trayViewModel(f.vm(), f.vm(), f.vm());
    StudioCommands commands(trayViewModel);
    EXPECT_EQ(commands.menu()->title(), "TarnInput");
    EXPECT_EQ(texts(*commands.menu()),
        QStringList({"Toggle Input Engine", "Toggle Presentation KeyHUD", "—", "Reset Input Settings"}));
    EXPECT_EQ(commands.toggleEngineAction()->shortcut(), QKeySequence("Alt+Meta+E"));
    EXPECT_EQ(commands.toggleKeyHUDAction()->shortcut(), QKeySequence("Alt+Meta+H"));
    EXPECT_TRUE(commands.resetAction()->shortcut().isEmpty());
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(texts(*commands.menu()),
        QStringList({"Giriş Motorunu Aç/Kapat", "Sunum Kısayol HUD Aç/Kapat", "—", "Giriş Ayarlarını Sıfırla"}));
    EXPECT_EQ(commands.menu()->title(), "TarnInput");
}

TEST(SuperKeyNames, MenusNameTheSuperKey)
{
    SuperKeyNames names;
    QCoreApplication::installTranslator(&names);
    const QKeySequence engine(Qt::AltModifier | Qt::MetaModifier | Qt::Key_E);
    EXPECT_EQ(engine.toString(QKeySequence::NativeText), "Super+Alt+E");
    EXPECT_EQ(engine.toString(QKeySequence::PortableText), "Meta+Alt+E") << "only what is shown changes";
    EXPECT_EQ(QKeySequence(Qt::ControlModifier | Qt::Key_C).toString(QKeySequence::NativeText), "Ctrl+C");
    QCoreApplication::removeTranslator(&names);
}

// Records the rows a menu paints, as its style is asked to draw them.
class MenuRowRecorder final : public QProxyStyle {
public:
    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuItem && item != nullptr && item->menuItemType != QStyleOptionMenuItem::Separator) {
            rows << item->text;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    mutable QStringList rows;
};

QStringList paintedRows(QMenu& menu)
{
    MenuRowRecorder style;
    menu.setStyle(&style);
    menu.adjustSize();
    menu.grab();
    menu.setStyle(nullptr);
    return style.rows;
}

TEST(StudioCommands, MenusWriteShortcutsInTheProgramsOrderAndKeepQtsShortcut)
{
    SuperKeyNames names;
    QCoreApplication::installTranslator(&names);
    ScreenFixture f;
    auto& vm = f.start();
    TrayViewModel trayViewModel(vm, vm, vm);
    StudioCommands commands(trayViewModel);
    StudioTray tray(
        trayViewModel, commands, [] {}, [] {});
    for (QMenu* menu : {commands.menu(), tray.menu()}) {
        const QStringList rows = paintedRows(*menu);
        EXPECT_TRUE(rows.contains("Toggle Input Engine\tAlt+Super+E")) << rows.join(" | ").toStdString();
        EXPECT_TRUE(rows.contains("Toggle Presentation KeyHUD\tAlt+Super+H")) << rows.join(" | ").toStdString();
        EXPECT_TRUE(rows.contains("Reset Input Settings")) << "no shortcut, no tab";
    }
    EXPECT_EQ(commands.toggleKeyHUDAction()->shortcut(), QKeySequence("Alt+Meta+H")) << "only the text changes";
    EXPECT_EQ(ShortcutWordsMenu::shortcutText(QKeySequence(
                  Qt::MetaModifier | Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::Key_K)),
        "Ctrl+Alt+Shift+Super+K");
    EXPECT_EQ(
        ShortcutWordsMenu::shortcutText(QKeySequence(Qt::ControlModifier | Qt::Key_K, Qt::MetaModifier | Qt::Key_F5)),
        "Ctrl+K, Super+F5");
    QCoreApplication::removeTranslator(&names);
}

TEST(StudioCommands, EachCommandRunsItsNamedOperationOnce)
{
    ScreenFixture f;
    auto& vm = f.start();
    TrayViewModel trayViewModel(vm, vm, vm);
    StudioCommands commands(trayViewModel);
    commands.toggleKeyHUDAction()->trigger();
    EXPECT_TRUE(f.harness.storedSettings().keyHUDEnabled);
    EXPECT_EQ(f.saves(), 1);
    commands.toggleEngineAction()->trigger();
    EXPECT_FALSE(f.harness.storedSettings().engineEnabled);
    commands.resetAction()->trigger();
    EXPECT_EQ(f.harness.storedSettings(), InputSettings {});
    EXPECT_EQ(f.toasts().size(), 3U) << "the named operations toast";
}

TEST(TrayIconArt, EveryStateDrawsItsOwnPicture)
{
    const std::vector<TrayIconState> states {{false, false}, {true, false}, {false, true}, {true, true}};
    std::vector<QImage> images;
    for (const auto state : states) {
        images.push_back(TrayIconArt::image(state, 32));
        EXPECT_FALSE(TrayIconArt::icon(state).isNull());
    }
    for (std::size_t a = 0; a < images.size(); ++a) {
        for (std::size_t b = a + 1; b < images.size(); ++b) {
            EXPECT_NE(images[a], images[b]) << a << " and " << b << " look alike";
        }
    }
}

// Light ink alone vanishes on a white panel and a dark shape alone on a black one: the mouse's body
// is filled in a contrasting tone and its outline in the other, so both panels show it.
TEST(TrayIconArt, EveryStateReadsOnLightAndDarkPanels)
{
    const auto composed = [](const QImage& icon, QColor panel) {
        QImage image(icon.size(), QImage::Format_ARGB32);
        image.fill(panel);
        QPainter(&image).drawImage(0, 0, icon);
        return image;
    };
    const auto strongestContrastOnRow = [](const QImage& image, int y, QColor panel) {
        int strongest = 0;
        for (int x = 0; x < image.width(); ++x) {
            strongest = std::max(strongest, std::abs(qGray(image.pixel(x, y)) - qGray(panel.rgb())));
        }
        return strongest;
    };
    for (const auto state : {TrayIconState {false, false}, TrayIconState {true, false}}) {
        for (const int side : {16, 22, 32}) {
            const QImage icon = TrayIconArt::image(state, side);
            // Below the button split, in the middle of the body.
            const QPoint body(side / 2, side * 7 / 10);
            for (const QColor panel : {QColor(Qt::white), QColor(Qt::black)}) {
                const QImage shown = composed(icon, panel);
                EXPECT_GT(strongestContrastOnRow(shown, body.y(), panel), 110) << side << " outline";
            }
            const int bodyOnWhite = std::abs(qGray(composed(icon, Qt::white).pixel(body)) - 255);
            const int bodyOnBlack = qGray(composed(icon, Qt::black).pixel(body));
            EXPECT_GT(std::max(bodyOnWhite, bodyOnBlack), 110) << side << " a filled body";
        }
    }
}

TEST(StudioTray, IconFollowsTheTapAndTheKeyHUDAndTheMenuAddsOpenAndQuit)
{
    ScreenFixture f;
    f.harness.permission.setAccessibilityGranted(false);
    auto& vm = f.start();
    TrayViewModel trayViewModel(vm, vm, vm);
    StudioCommands commands(trayViewModel);
    int opened = 0;
    int quits = 0;
    StudioTray tray(
        trayViewModel, commands, [&] { ++opened; }, [&] { ++quits; });
    EXPECT_EQ(tray.iconState(), (TrayIconState {false, false}));

    f.harness.permission.setAccessibilityGranted(true);
    f.harness.noticeDeviceChange();
    EXPECT_EQ(tray.iconState(), (TrayIconState {true, false}));
    control<QAbstractButton>(*tray.popover(), "keyHUDEnabled")->click();
    EXPECT_EQ(tray.iconState(), (TrayIconState {true, true}));
    vm.toggleEngine();
    vm.toggleKeyHUD();
    EXPECT_EQ(tray.iconState(), (TrayIconState {false, false})) << "nothing needs the tap any more";

    EXPECT_EQ(texts(*tray.menu()),
        QStringList({"Toggle Input Engine", "Toggle Presentation KeyHUD", "—", "Reset Input Settings", "—",
            "Open Studio", "Quit"}));
    tray.menu()->actions().at(5)->trigger();
    tray.menu()->actions().at(6)->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(quits, 1);
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(tray.menu()->actions().at(5)->text(), "Stüdyoyu Aç");
}

TEST(StudioTray, OpenStudioInThePopoverClosesIt)
{
    ScreenFixture f;
    auto& vm = f.start();
    TrayViewModel trayViewModel(vm, vm, vm);
    StudioCommands commands(trayViewModel);
    int opened = 0;
    StudioTray tray(
        trayViewModel, commands, [&] { ++opened; }, [] {});
    tray.showPopover();
    EXPECT_TRUE(tray.popoverWindow()->isVisible());
    EXPECT_EQ(tray.popoverWindow()->width(), MenuBarInputPopoverView::kWidth);
    control<QAbstractButton>(*tray.popover(), "openStudioButton")->click();
    EXPECT_FALSE(tray.popoverWindow()->isVisible());
    EXPECT_EQ(opened, 1);
}

} // namespace
} // namespace tarn::input::testing
