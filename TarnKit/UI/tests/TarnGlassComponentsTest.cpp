#include <QGraphicsDropShadowEffect>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantAnimation>
#include <gtest/gtest.h>

#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButtonStyle.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassInputField.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Glass/TarnGroundBackground.h"
#include "TarnKit/UI/Glass/TarnToastBanner.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {
namespace {

// Renders a widget on its own, keeping alpha: transparent corners stay transparent.
QImage render(QWidget& widget)
{
    widget.setAttribute(Qt::WA_TranslucentBackground);
    widget.ensurePolished();
    if (widget.layout() != nullptr) {
        widget.layout()->activate();
    }
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

int alphaAt(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y));
}

// Alpha of `top` drawn over `bottom`, both white at an opacity, as 0-255.
int over(double top, double bottom)
{
    return qRound((top + bottom * (1.0 - top)) * 255.0);
}

TEST(TarnGlassCardTest, FillsBordersInsideAndLeavesTheCornersClear)
{
    TarnGlassCard card(12, 16);
    card.resize(200, 100);
    const QImage image = render(card);

    EXPECT_EQ(alphaAt(image, 0, 0), 0);
    EXPECT_EQ(alphaAt(image, 199, 99), 0);
    // The continuous corner starts further along the edge than a circular arc of radius 16 would.
    EXPECT_EQ(alphaAt(image, 3, 3), 0);
    EXPECT_NEAR(alphaAt(image, 100, 50), qRound(0.06 * 255), 1);
    EXPECT_EQ(qRed(image.pixel(100, 50)), 255);
    // The border is the outermost pixel row and column, drawn over the fill.
    EXPECT_NEAR(alphaAt(image, 100, 0), over(0.14, 0.06), 2);
    EXPECT_NEAR(alphaAt(image, 0, 50), over(0.14, 0.06), 2);
    EXPECT_NEAR(alphaAt(image, 199, 50), over(0.14, 0.06), 2);
    EXPECT_NEAR(alphaAt(image, 100, 1), qRound(0.06 * 255), 1);
}

TEST(TarnGlassCardTest, PadsItsContentOnEveryEdge)
{
    TarnGlassCard card(12, 16);
    auto* content = new QLabel(QStringLiteral("x"));
    card.setContent(content);
    card.resize(200, 100);
    card.layout()->activate();
    EXPECT_EQ(content->parentWidget(), &card);
    EXPECT_EQ(content->geometry(), QRect(12, 12, 176, 76));

    QPointer<QLabel> replaced(content);
    card.setContent(new QLabel(QStringLiteral("y")));
    EXPECT_TRUE(replaced.isNull());
}

TEST(TarnGroundBackgroundTest, RunsFromTheTopLeftStopToTheBottomRightOneWithAGlow)
{
    TarnGroundBackground ground(TarnProductPalette::deepAbyss);
    ground.resize(1200, 800);
    const QImage image = ground.grab().toImage();
    const TarnGroundStops stops = groundStops(TarnProductPalette::deepAbyss);

    const QColor bottomRight = image.pixelColor(1199, 799);
    EXPECT_NEAR(bottomRight.red(), stops.bottomRight.red(), 1);
    EXPECT_NEAR(bottomRight.green(), stops.bottomRight.green(), 1);
    EXPECT_NEAR(bottomRight.blue(), stops.bottomRight.blue(), 1);
    EXPECT_EQ(bottomRight.alpha(), 255);
    // The glow brightens the top-left corner above the plain first stop.
    const QColor topLeft = image.pixelColor(0, 0);
    EXPECT_GT(topLeft.red(), stops.topLeft.red());
    EXPECT_GT(topLeft.blue(), stops.topLeft.blue());
    EXPECT_LE(topLeft.blue() - stops.topLeft.blue(), qRound(0.09 * (255 - stops.topLeft.blue())) + 1);
}

struct GlassProbe {
    int fill;
    int border;
};

GlassProbe probeGlass(TarnGlassButton& button)
{
    const QImage image = render(button);
    const int middle = image.height() / 2;
    return {alphaAt(image, 4, middle), alphaAt(image, image.width() / 2, 0)};
}

TEST(TarnGlassButtonTest, ActiveDiffersOnlyInFillAndBorder)
{
    TarnGlassButton inactive(QStringLiteral("Profiles"));
    TarnGlassButton active(QStringLiteral("Profiles"));
    active.setActive(true);
    EXPECT_EQ(inactive.sizeHint(), active.sizeHint());
    inactive.resize(inactive.sizeHint());
    active.resize(active.sizeHint());

    const GlassProbe rest = probeGlass(inactive);
    const GlassProbe on = probeGlass(active);
    EXPECT_NEAR(rest.fill, qRound(0.10 * 255), 1);
    EXPECT_NEAR(on.fill, qRound(0.16 * 255), 1);
    EXPECT_NEAR(rest.border, over(0.14, 0.10), 2);
    EXPECT_NEAR(on.border, over(0.28, 0.16), 2);
}

TEST(TarnGlassButtonTest, SizeIsTheLabelPaddedElevenBySix)
{
    TarnGlassButton button(QStringLiteral("Scrolling"));
    const QFontMetricsF metrics(TarnGlassButtonStyle::font(), &button);
    EXPECT_EQ(button.sizeHint().width(), qCeil(metrics.horizontalAdvance(QStringLiteral("Scrolling")) + 22.0));
    EXPECT_EQ(button.sizeHint().height(), qCeil(metrics.height() + 12.0));
}

TEST(TarnGlassButtonTest, PressedDimsTheWholeButtonWithoutAnimation)
{
    for (const bool isActive : {false, true}) {
        SCOPED_TRACE(isActive);
        TarnGlassButton button(QStringLiteral("Profiles"));
        button.setActive(isActive);
        button.resize(button.sizeHint());
        const GlassProbe rest = probeGlass(button);
        QTest::mousePress(&button, Qt::LeftButton, {}, button.rect().center());
        ASSERT_TRUE(button.isDown());
        const GlassProbe pressed = probeGlass(button);
        EXPECT_NEAR(pressed.fill, qRound(rest.fill * 0.78), 1);
        EXPECT_NEAR(pressed.border, qRound(rest.border * 0.78), 2);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, button.rect().center());
        EXPECT_EQ(probeGlass(button).fill, rest.fill);
    }
}

TEST(TarnGlassButtonTest, DisabledNeitherClicksNorShowsAPress)
{
    TarnGlassButton button(QStringLiteral("Profiles"));
    button.resize(button.sizeHint());
    const QImage resting = render(button);
    button.setEnabled(false);
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_FALSE(button.isDown());
    EXPECT_EQ(render(button), resting);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_EQ(clicked.count(), 0);
}

TEST(TarnGlassButtonTest, TheWholePillClicksButNotTheClearCorner)
{
    TarnGlassButton button(QStringLiteral("Profiles"));
    button.resize(button.sizeHint());
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(3, button.height() / 2));
    EXPECT_EQ(clicked.count(), 1);
    // (1, 1): QTest reads a null point as the widget's centre.
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicked.count(), 1);
}

TEST(TarnButtonTextTest, ALabelIsCutToOneLine)
{
    const QFontMetricsF metrics(TarnGlassButtonStyle::font());
    const QString longLabel = QStringLiteral("A label far too long for the button it sits on");
    const QString cut = TarnTextStyles::singleLine(longLabel, metrics, 80);
    EXPECT_TRUE(cut.endsWith(QChar(0x2026))) << cut.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(cut), 80.0);
    EXPECT_EQ(TarnTextStyles::singleLine(QStringLiteral("two\nlines"), metrics, 1000), QStringLiteral("two lines"));
    EXPECT_EQ(TarnTextStyles::singleLine(QStringLiteral("fits"), metrics, 1000), QStringLiteral("fits"));
}

TEST(TarnPrimaryButtonTest, PressEasesToTheShrunkenDimmerLookAndBack)
{
    TarnPrimaryButton button(QStringLiteral("Save Profile"));
    button.resize(button.sizeHint());
    auto* animation = button.findChild<QVariantAnimation*>(QStringLiteral("pressAnimation"));
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(animation->duration(), 120);
    // Ease-out: more than half of the way after half of the time.
    EXPECT_GT(animation->easingCurve().valueForProgress(0.5), 0.6);
    EXPECT_NEAR(animation->easingCurve().valueForProgress(1.0), 1.0, 1e-9);

    const int middle = button.height() / 2;
    const QImage rest = render(button);
    EXPECT_NEAR(alphaAt(rest, 10, middle), qRound(0.96 * 255), 1);
    EXPECT_GT(alphaAt(rest, 0, middle), 200);

    QTest::mousePress(&button, Qt::LeftButton, {}, button.rect().center());
    // Pressing starts the animation; it does not jump.
    EXPECT_EQ(button.pressAmount(), 0.0);
    EXPECT_EQ(animation->state(), QAbstractAnimation::Running);
    animation->setCurrentTime(animation->duration());
    EXPECT_DOUBLE_EQ(button.pressAmount(), 1.0);
    const QImage pressed = render(button);
    EXPECT_NEAR(alphaAt(pressed, 10, middle), qRound(0.82 * 255), 1);
    // At 98 % about the centre, the left edge moves in by one percent of the width.
    EXPECT_LT(alphaAt(pressed, 0, middle), alphaAt(rest, 0, middle));

    QTest::mouseRelease(&button, Qt::LeftButton, {}, button.rect().center());
    animation->setCurrentTime(animation->duration());
    EXPECT_DOUBLE_EQ(button.pressAmount(), 0.0);
    EXPECT_EQ(render(button), rest);
}

TEST(TarnPrimaryButtonTest, StyleValuesBetweenRestAndPress)
{
    EXPECT_NEAR(TarnPrimaryButtonStyle::fill(0).alphaF(), 0.96, 1e-4);
    EXPECT_NEAR(TarnPrimaryButtonStyle::fill(1).alphaF(), 0.82, 1e-4);
    EXPECT_DOUBLE_EQ(TarnPrimaryButtonStyle::scale(1), 0.98);
    EXPECT_DOUBLE_EQ(TarnPrimaryButtonStyle::scale(0), 1.0);
    EXPECT_EQ(TarnPrimaryButtonStyle::textColor(), QColor::fromRgbF(0, 0, 0, 0.9F));
}

// True when some pixel of `image` inside `area` is close to `color` and opaque.
bool showsColour(const QImage& image, const QRect& area, const QColor& color)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255 && std::abs(pixel.red() - color.red()) <= 6
                && std::abs(pixel.green() - color.green()) <= 6 && std::abs(pixel.blue() - color.blue()) <= 6) {
                return true;
            }
        }
    }
    return false;
}

TEST(TarnToastBannerTest, ErrorShowsTheWarningTriangleNormalTheSuccessCheck)
{
    struct Case {
        bool isError;
        const char* symbol;
        QColor shown;
        QColor notShown;
    };
    const Case cases[] = {
        {true, "exclamationmark.triangle.fill", TarnGlassTokens::warning(), TarnGlassTokens::danger()},
        {false, "checkmark.circle.fill", TarnGlassTokens::success(), TarnGlassTokens::warning()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbol);
        TarnToastBanner toast(QStringLiteral("Profile saved"), c.isError);
        EXPECT_STREQ(toast.symbolName(), c.symbol);
        EXPECT_EQ(toast.symbolColor(), c.shown);
        toast.resize(toast.sizeHint());
        const QImage image = render(toast);
        const QRect iconArea(16, 0, 20, image.height());
        EXPECT_TRUE(showsColour(image, iconArea, c.shown));
        EXPECT_FALSE(showsColour(image, iconArea, c.notShown));
        // The capsule: black at 0.84 inside, clear outside its rounded ends (the shadow, which
        // adds to the alpha beneath, is checked on its own).
        toast.graphicsEffect()->setEnabled(false);
        const QImage plain = render(toast);
        const QColor inside = plain.pixelColor(plain.width() / 2, 4);
        EXPECT_NEAR(inside.alpha(), qRound(0.84 * 255), 1);
        EXPECT_EQ(inside.red(), 0);
        EXPECT_EQ(alphaAt(plain, 0, 0), 0);
    }
}

TEST(TarnToastBannerTest, CarriesASoftShadowBelow)
{
    TarnToastBanner toast(QStringLiteral("Saved"), false);
    auto* shadow = qobject_cast<QGraphicsDropShadowEffect*>(toast.graphicsEffect());
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->color(), QColor::fromRgbF(0, 0, 0, 0.35F));
    EXPECT_DOUBLE_EQ(shadow->blurRadius(), 12.0);
    EXPECT_EQ(shadow->offset(), QPointF(0, 4));
}

TEST(TarnToastBannerTest, AnEmptyMessageStillShowsTheIconInItsCapsule)
{
    TarnToastBanner empty(QString(), false);
    TarnToastBanner message(QStringLiteral("Saved"), false);
    const QFontMetricsF metrics(TarnTextStyles::font(TarnTextStyle::callout, QFont::Medium), &empty);
    EXPECT_EQ(empty.sizeHint().width(), qCeil(TarnSymbolIcons::sideForText(metrics) + 32.0));
    EXPECT_EQ(empty.sizeHint().height(), message.sizeHint().height());
    empty.resize(empty.sizeHint());
    const QImage image = render(empty);
    EXPECT_TRUE(showsColour(image, image.rect(), TarnGlassTokens::success()));
}

TEST(TarnToastBannerTest, ALongMessageWrapsInsteadOfBeingCut)
{
    TarnToastBanner toast(QStringLiteral("The settings file could not be written because the disk is full"), true);
    const int oneLine = toast.sizeHint().height();
    EXPECT_TRUE(toast.hasHeightForWidth());
    EXPECT_EQ(toast.heightForWidth(toast.sizeHint().width()), oneLine);
    EXPECT_GT(toast.heightForWidth(toast.sizeHint().width() / 2), oneLine);
}

TEST(TarnGlassInputFieldTest, AFieldBecomesPaddedGlass)
{
    QLineEdit field;
    tarnGlassInputField(&field, 8, 10, 6);
    tarnGlassInputField(&field, 8, 10, 6); // applying twice paints one background, not two
    EXPECT_FALSE(field.hasFrame());
    EXPECT_EQ(field.textMargins(), QMargins(10, 6, 10, 6));
    EXPECT_EQ(field.palette().color(QPalette::Text), TarnGlassTokens::textPrimary());
    EXPECT_DOUBLE_EQ(field.font().pointSizeF(), 12.5 * 72.0 / 96.0);
    field.resize(160, 30);
    const QImage image = render(field);
    EXPECT_EQ(alphaAt(image, 0, 0), 0);
    EXPECT_NEAR(alphaAt(image, 80, 15), qRound(0.10 * 255), 1);
    EXPECT_NEAR(alphaAt(image, 80, 0), over(0.14, 0.10), 2);
}

TEST(TarnSymbolIconsTest, EveryKnownSymbolDrawsSomethingInTheAskedColour)
{
    const QColor colour(255, 184, 77);
    for (const char* symbol : {"exclamationmark.triangle.fill", "checkmark.circle.fill", "checkmark", "globe"}) {
        SCOPED_TRACE(symbol);
        EXPECT_FALSE(TarnSymbolIcons::themeNames(symbol).isEmpty());
        const QImage image = TarnSymbolIcons::pixmap(symbol, 16, colour, 2.0).toImage();
        EXPECT_EQ(image.size(), QSize(32, 32));
        EXPECT_TRUE(showsColour(image, image.rect(), colour));

        QImage drawn(32, 32, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        TarnSymbolIcons::paintDrawing(painter, QRectF(0, 0, 32, 32), symbol, colour);
        painter.end();
        EXPECT_TRUE(showsColour(drawn.convertToFormat(QImage::Format_ARGB32), drawn.rect(), colour));
    }
}

TEST(TarnSymbolIconsTest, AnUnknownSymbolIsNeverAnEmptySquare)
{
    EXPECT_TRUE(TarnSymbolIcons::themeNames("no.such.symbol").isEmpty());
    const QImage image = TarnSymbolIcons::pixmap("no.such.symbol", 16, Qt::white, 1.0).toImage();
    EXPECT_TRUE(showsColour(image, image.rect(), Qt::white));
}

// Symbols are painted on every repaint; Qt would look for a name no theme has in its fallback
// pixmap folder each time. A symbol is looked up once per theme: a picture that turns up in that
// folder later is seen only once the theme changes.
TEST(TarnSymbolIconsTest, ASymbolIsLookedUpInTheThemeOncePerTheme)
{
    TarnSymbolIcons::prepareIconTheme();
    const QString themeBefore = QIcon::themeName();
    const QStringList fallbackBefore = QIcon::fallbackSearchPaths();
    QTemporaryDir pictures;
    ASSERT_TRUE(pictures.isValid());
    QIcon::setFallbackSearchPaths({pictures.path()});
    QIcon::setThemeName(QStringLiteral("tarn-test-theme-without-icons"));
    const QColor colour(255, 184, 77);
    const auto painted = [&] { return TarnSymbolIcons::pixmap("ladybug.fill", 16, colour, 1.0).toImage(); };
    // Our own drawing leaves the corners clear; a square picture used as the mask fills them.
    const auto cornerAlpha = [](const QImage& image) { return qAlpha(image.pixel(0, 0)); };

    ASSERT_EQ(cornerAlpha(painted()), 0) << "no theme has the symbol: our drawing";
    QImage square(16, 16, QImage::Format_ARGB32);
    square.fill(Qt::black);
    const QString name = TarnSymbolIcons::themeNames("ladybug.fill").front();
    ASSERT_TRUE(square.save(pictures.filePath(name + QStringLiteral(".png"))));
    for (int repaint = 0; repaint < 3; ++repaint) {
        EXPECT_EQ(cornerAlpha(painted()), 0) << "repaint " << repaint << " looked again";
    }

    QIcon::setThemeName(QStringLiteral("tarn-test-other-theme-without-icons"));
    EXPECT_EQ(cornerAlpha(painted()), 255) << "a new theme is looked up afresh";

    QIcon::setThemeName(themeBefore);
    QIcon::setFallbackSearchPaths(fallbackBefore);
}

} // namespace
} // namespace tarn
