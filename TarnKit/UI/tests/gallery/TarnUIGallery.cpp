// Renders every kit component, once in English and once in Turkish, over the deepAbyss ground
// into one PNG, for looking at the glass look without running the application.
//
//   QT_QPA_PLATFORM=offscreen TarnUIGallery [output.png]

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/UI/Brand/TarnBrandMark.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnFlowLayout.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassInputField.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Glass/TarnGroundBackground.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"
#include "TarnKit/UI/Glass/TarnToastBanner.h"
#include "TarnKit/UI/Pickers/TarnLanguageMenuButton.h"
#include "TarnKit/UI/Pickers/TarnLanguagePicker.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"
#include "TarnKit/UI/Version/TarnVersionBadge.h"

namespace {

using namespace tarn;

QString text(const char* en, const char* tr, TarnLanguage language)
{
    return QString::fromStdString(tarnText(en, tr, language));
}

QLabel* label(const QString& content, TarnTextStyle style, const QColor& color, QWidget* parent)
{
    auto* result = new QLabel(content, parent);
    result->setFont(TarnTextStyles::font(style));
    QPalette palette = result->palette();
    palette.setColor(QPalette::WindowText, color);
    result->setPalette(palette);
    return result;
}

void pressFully(TarnPrimaryButton* button)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(button->rect().center()),
        button->mapToGlobal(QPointF(button->rect().center())), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    if (auto* animation = button->findChild<QVariantAnimation*>(QStringLiteral("pressAnimation"))) {
        animation->setCurrentTime(animation->duration());
    }
}

QWidget* buildColumn(TarnLanguage language, QWidget* parent, QList<TarnPrimaryButton*>& toPress)
{
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);

    // Brand and version.
    auto* brandCard = new TarnGlassCard(14, 14, column);
    auto* brand = new QWidget(brandCard);
    auto* brandRow = new QHBoxLayout(brand);
    brandRow->setContentsMargins(0, 0, 0, 0);
    brandRow->setSpacing(10);
    brandRow->addWidget(new TarnBrandMark(24, TarnBrandMarkStyle::currentApp(), brand));
    brandRow->addWidget(new TarnBrandMark(48, TarnBrandMarkStyle::harrowfenSuite(), brand));
    brandRow->addWidget(new TarnBrandMark(64, TarnBrandMarkStyle::app(TarnAppIdentity::tarnInput), brand));
    brandRow->addWidget(label(QStringLiteral("TarnInput"), TarnTextStyle::headline, Qt::white, brand));
    const TarnAppVersion version {"2.4.1", "77"};
    brandRow->addWidget(new TarnVersionBadge(version, false, brand));
    brandRow->addWidget(new TarnVersionBadge(version, true, brand));
    brandRow->addStretch(1);
    brandCard->setContent(brand);
    layout->addWidget(brandCard);

    // Buttons.
    auto* buttonCard = new TarnGlassCard(14, 14, column);
    auto* buttons = new QWidget(buttonCard);
    auto* buttonGrid = new QGridLayout(buttons);
    buttonGrid->setContentsMargins(0, 0, 0, 0);
    buttonGrid->setHorizontalSpacing(8);
    buttonGrid->setVerticalSpacing(8);
    buttonGrid->addWidget(
        label(text("Buttons", "Düğmeler", language), TarnTextStyle::caption, TarnGlassTokens::textSecondary(), buttons),
        0, 0, 1, 4);
    buttonGrid->addWidget(new TarnGlassButton(text("Profiles", "Profiller", language), buttons), 1, 0);
    auto* active = new TarnGlassButton(text("Scrolling", "Kaydırma", language), buttons);
    active->setActive(true);
    buttonGrid->addWidget(active, 1, 1);
    auto* pressed = new TarnGlassButton(text("Pressed", "Basılı", language), buttons);
    pressed->setDown(true);
    buttonGrid->addWidget(pressed, 1, 2);
    auto* disabled = new TarnGlassButton(text("Disabled", "Devre dışı", language), buttons);
    disabled->setEnabled(false);
    buttonGrid->addWidget(disabled, 1, 3);
    buttonGrid->addWidget(new TarnPrimaryButton(text("Save Profile", "Profili Kaydet", language), buttons), 2, 0);
    auto* primaryPressed = new TarnPrimaryButton(text("Pressed", "Basılı", language), buttons);
    toPress.append(primaryPressed);
    buttonGrid->addWidget(primaryPressed, 2, 1);
    auto* narrow = new TarnGlassButton(
        text("A label far too long for its button", "Düğmesine sığmayacak kadar uzun bir etiket", language), buttons);
    narrow->setFixedWidth(120);
    buttonGrid->addWidget(narrow, 2, 2, 1, 2, Qt::AlignLeft);
    buttonGrid->setColumnStretch(4, 1);
    buttonCard->setContent(buttons);
    layout->addWidget(buttonCard);

    // Flow layout.
    auto* flowCard = new TarnGlassCard(14, 14, column);
    auto* chips = new QWidget(flowCard);
    auto* flow = new TarnFlowLayout(6, 6, chips);
    const std::array<std::pair<const char*, const char*>, 9> words {
        {{"Back", "Geri"}, {"Forward", "İleri"}, {"Show Desktop", "Masaüstünü Göster"}, {"Copy", "Kopyala"},
            {"Paste", "Yapıştır"}, {"Smooth Scrolling", "Yumuşak Kaydırma"}, {"Middle Click", "Orta Tık"},
            {"Screenshot", "Ekran Görüntüsü"}, {"Undo", "Geri Al"}}};
    for (const auto& [en, tr] : words) {
        flow->addWidget(new TarnGlassButton(text(en, tr, language), chips));
    }
    flowCard->setContent(chips);
    layout->addWidget(flowCard);

    // Toasts.
    auto* toasts = new QWidget(column);
    auto* toastColumn = new QVBoxLayout(toasts);
    toastColumn->setContentsMargins(4, 0, 4, 8);
    toastColumn->setSpacing(12);
    toastColumn->addWidget(
        new TarnToastBanner(text("Profile saved", "Profil kaydedildi", language), false, toasts), 0, Qt::AlignLeft);
    toastColumn->addWidget(
        new TarnToastBanner(text("Could not open the input device", "Giriş aygıtı açılamadı", language), true, toasts),
        0, Qt::AlignLeft);
    toastColumn->addWidget(new TarnToastBanner(QString(), false, toasts), 0, Qt::AlignLeft);
    layout->addWidget(toasts);

    // Language choosers.
    auto* languageCard = new TarnGlassCard(14, 14, column);
    auto* languages = new QWidget(languageCard);
    auto* languageRow = new QHBoxLayout(languages);
    languageRow->setContentsMargins(0, 0, 0, 0);
    languageRow->setSpacing(12);
    languageRow->addWidget(new TarnLanguagePicker(std::nullopt, language, true, languages));
    languageRow->addWidget(new TarnLanguagePicker(std::nullopt, language, false, languages));
    languageRow->addWidget(new TarnLanguageMenuButton(language, languages));
    languageRow->addStretch(1);

    languageCard->setContent(languages);
    layout->addWidget(languageCard);

    // Glass input field.
    auto* fieldCard = new TarnGlassCard(14, 14, column);
    auto* field = new QLineEdit(fieldCard);
    field->setPlaceholderText(text("Application identifier", "Uygulama kimliği", language));
    tarnGlassInputField(field, 8, 10, 6);
    fieldCard->setContent(field);
    layout->addWidget(fieldCard);

    layout->addStretch(1);
    return column;
}

QWidget* buildPalettes(QWidget* parent)
{
    auto* strip = new QWidget(parent);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (const TarnProductPalette palette : kAllTarnProductPalettes) {
        auto* swatch = new TarnGroundBackground(palette, strip);
        swatch->setFixedSize(96, 44);
        auto* inner = new QVBoxLayout(swatch);
        inner->setContentsMargins(6, 4, 6, 4);
        QLabel* name = label(QString::fromUtf8(rawValue(palette).data(), static_cast<int>(rawValue(palette).size())),
            TarnTextStyle::caption2, TarnGlassTokens::textPrimary(), swatch);
        inner->addWidget(name);
        QLabel* accent = label(QStringLiteral("accent"), TarnTextStyle::caption2, accentColor(palette), swatch);
        inner->addWidget(accent);
        row->addWidget(swatch);
    }
    row->addStretch(1);
    return strip;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The platform's own controls (the drop-down) in a dark scheme, as on the real screens.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x15, 0x34, 0x45));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x0C, 0x1F, 0x2B));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(0x1F, 0x4A, 0x5C));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, accentColor(TarnProductPalette::deepAbyss));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    app.setPalette(dark);

    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tarn-ui-gallery.png");

    TarnGroundBackground window(TarnProductPalette::deepAbyss);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(24, 24, 24, 24);
    outer->setSpacing(16);
    outer->addWidget(buildPalettes(&window));
    auto* columns = new QHBoxLayout();
    columns->setSpacing(24);
    QList<TarnPrimaryButton*> toPress;
    for (const TarnLanguage language : {TarnLanguage::en, TarnLanguage::tr}) {
        auto* column = new QVBoxLayout();
        column->setSpacing(8);
        column->addWidget(label(QString::fromStdString(displayName(language)), TarnTextStyle::title3,
            TarnGlassTokens::textPrimary(), &window));
        column->addWidget(buildColumn(language, &window, toPress));
        columns->addLayout(column, 1);
    }
    outer->addLayout(columns, 1);
    window.resize(1180, 800);
    window.show();
    QApplication::processEvents();
    for (TarnPrimaryButton* button : toPress) {
        pressFully(button);
    }
    QApplication::processEvents();

    QImage image = window.grab().toImage();

    // The menu button's open menu, drawn beside the window.
    TarnLanguageMenuButton menuHost(TarnLanguage::tr);
    QMenu* menu = menuHost.languageMenu();
    menu->popup(QPoint(0, 0));
    QApplication::processEvents();
    const QImage menuImage = menu->grab().toImage();
    menu->hide();
    QImage sheet(image.width() + menuImage.width() + 24, std::max(image.height(), menuImage.height() + 24),
        QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x0C, 0x1F, 0x2B));
    QPainter painter(&sheet);
    painter.drawImage(0, 0, image);
    painter.drawImage(image.width() + 12, 12, menuImage);
    painter.end();

    if (!sheet.save(output)) {
        qWarning("could not write %s", qPrintable(output));
        return 1;
    }
    return 0;
}
