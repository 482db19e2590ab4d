// Renders a floating panel and an application window with its menu bar, the application menu
// open, and the other menus beside each other below, once in English and once in Turkish, over
// the kit's ground, for looking at them without running an application of the family.
//
//   QT_QPA_PLATFORM=offscreen TarnPanelAndMenuPreview [output-prefix]   (writes <prefix>-en.png, -tr.png)

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QSlider>
#include <QStyleFactory>
#include <QVBoxLayout>

#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Basics/NotificationCenter.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/UI/AppMenu/TarnAppMenuController.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassInputField.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Glass/TarnGroundBackground.h"
#include "TarnKit/UI/Panels/TarnDraggableFloatingPanel.h"
#include "TarnKit/UI/Panels/TarnFloatingPanelController.h"
#include "TarnKit/UI/Panels/TarnTearOffDragRegion.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace {

using namespace tarn;

constexpr QSize kCanvas {1800, 900};
constexpr QPoint kWindowAt {40, 40};
constexpr QPoint kPanelAt {900, 90};
constexpr int kStripTop = 560;

QLabel* label(const std::string& content, TarnTextStyle style, const QColor& color)
{
    auto* result = new QLabel(toQString(content));
    result->setFont(TarnTextStyles::font(style));
    QPalette palette = result->palette();
    palette.setColor(QPalette::WindowText, color);
    result->setPalette(palette);
    return result;
}

// What a family application might float: a glass card with a title, a field, a slider and a
// handle to tear the card off into a window of its own.
std::unique_ptr<QWidget> panelContent(TarnLanguage language)
{
    auto card = std::make_unique<TarnGlassCard>(16.0, 18.0);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(
        label(tarnText("Quick Note", "Hızlı Not", language), TarnTextStyle::headline, TarnGlassTokens::textPrimary()));
    auto* field = new QLineEdit(tarnQText("Buy new mouse feet", "Yeni fare ayağı al", language));
    tarnGlassInputField(field, 10.0, 10.0, 7.0);
    layout->addWidget(field);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setValue(60);
    layout->addWidget(slider);
    auto* handle = new TarnTearOffDragRegion([](bool) {}, [](QPoint) {});
    auto* handleLayout = new QVBoxLayout(handle);
    handleLayout->setContentsMargins(0, 4, 0, 0);
    handleLayout->addWidget(label(tarnText("Drag out to keep it open", "Açık tutmak için dışarı sürükleyin", language),
        TarnTextStyle::caption, TarnGlassTokens::textMuted()));
    layout->addWidget(handle);
    layout->addStretch();
    card->setContent(body);
    return card;
}

QImage shownMenu(QMenu& menu, QPoint at)
{
    menu.popup(at);
    QApplication::processEvents();
    const QImage image = menu.grab().toImage();
    menu.hide();
    return image;
}

void render(TarnLanguage language, const QString& file)
{
    NotificationCenter notifications;
    TarnLanguageSettings languageSettings(nullptr, nullptr, notifications);
    const TarnFeedbackService feedback({[](std::string_view) { return std::optional<std::string> {}; }, nullptr,
        std::make_shared<RecordingUrlOpener>(), nullptr, "Linux 6.1.0 (x86_64)"});

    TarnAppMenuConfiguration configuration;
    configuration.appName = "TarnNotes";
    configuration.language = [language] { return language; };
    configuration.onOpenSettings = [] {};
    configuration.fileMenuItems = {
        TarnMenuItem {[language] { return tarnText("New Note", "Yeni Not", language); }, "n", Qt::ControlModifier},
        TarnMenuDivider {},
        TarnMenuItem {[language] { return tarnText("Export…", "Dışa Aktar…", language); }, "e",
            Qt::ControlModifier | Qt::ShiftModifier},
    };
    configuration.editOverrides = TarnEditMenuOverrides {};
    configuration.editOverrides->duplicate = [] {};
    configuration.customMenus = {TarnCustomMenu([language] { return tarnText("View", "Görünüm", language); },
        {TarnMenuItem {[language] { return tarnText("Show Sidebar", "Kenar Çubuğunu Göster", language); }, "s",
             Qt::ControlModifier | Qt::AltModifier},
            TarnMenuDivider {},
            TarnMenuElement::languageSubmenu(
                languageSettings, [language] { return language; }, [](TarnLanguage) {})})};
    configuration.closeWindowKeyEquivalent = "w";
    configuration.closeWindowModifiers = Qt::ControlModifier;
    TarnAppMenuController menus(std::move(configuration), {feedback, BuildInfo::current(), notifications});

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("TarnNotes"));
    auto* central = new TarnGroundBackground(TarnProductPalette::deepIndigo);
    auto* centralLayout = new QVBoxLayout(central);
    auto* editor = new QLineEdit(tarnQText("Selected text", "Seçili metin", language));
    tarnGlassInputField(editor, 10.0, 10.0, 7.0);
    centralLayout->addWidget(editor);
    centralLayout->addStretch();
    window.setCentralWidget(central);
    menus.install(window);
    window.resize(760, 440);
    window.move(kWindowAt);
    window.show();

    TarnFloatingPanelController panels(QSize(340, 150), false, [] {});
    panels.show(false, QRect(kPanelAt, QSize()), [language] { return panelContent(language); });
    QApplication::processEvents();
    // This display gives every window it shows the keyboard; on a desktop the panel would not
    // have taken it. The window's field keeps a selection, so the Edit menu has work to offer.
    window.activateWindow();
    editor->setFocus();
    QApplication::processEvents();
    editor->selectAll();

    QImage canvas(kCanvas, QImage::Format_ARGB32_Premultiplied);
    TarnGroundBackground desktop(TarnProductPalette::deepAbyss);
    desktop.resize(kCanvas);
    QPainter painter(&canvas);
    painter.drawPixmap(0, 0, desktop.grab());
    painter.drawPixmap(kWindowAt, window.grab());

    QMenuBar* bar = menus.mainMenu();
    const auto menuAt = [&](int index) {
        const QRect item = bar->actionGeometry(bar->actions().at(index));
        return QPoint(kWindowAt.x() + item.left(), kWindowAt.y() + bar->geometry().bottom() + 1);
    };
    QMenu* applicationMenu = bar->actions().front()->menu();
    painter.drawImage(menuAt(0), shownMenu(*applicationMenu, window.mapToGlobal(menuAt(0) - kWindowAt)));

    int left = 40;
    for (int index = 1; index < bar->actions().size(); ++index) {
        QMenu* menu = bar->actions().at(index)->menu();
        const QImage image = shownMenu(*menu, {left, kStripTop});
        painter.setPen(TarnGlassTokens::textSecondary());
        painter.setFont(TarnTextStyles::font(TarnTextStyle::caption));
        painter.drawText(QPoint(left, kStripTop - 8), menu->title().replace(QStringLiteral("&&"), QStringLiteral("&")));
        painter.drawImage(QPoint(left, kStripTop), image);
        left += image.width() + 24;
    }
    QMenu* view = bar->actions().at(bar->actions().size() - 2)->menu();
    QMenu* languages = view->actions().back()->menu();
    const QImage languageImage = shownMenu(*languages, {left, kStripTop});
    painter.drawImage(
        QPoint(left, kStripTop), languageImage.copy(0, 0, languageImage.width(), kCanvas.height() - kStripTop - 10));

    painter.drawPixmap(kPanelAt, panels.panel()->grab());
    painter.end();
    canvas.save(file);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tarn-panel-menu");
    render(TarnLanguage::en, prefix + QStringLiteral("-en.png"));
    render(TarnLanguage::tr, prefix + QStringLiteral("-tr.png"));
    return 0;
}
