#include "TarnKit/Vision/TarnVisionServices.h"

#include <random>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tarn {
namespace {

TarnImage fromQImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
    TarnImage result {image.width(), image.height(), {}};
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = image.constScanLine(y);
        result.rgba.insert(result.rgba.end(), row, row + image.width() * 4);
    }
    return result;
}

TarnImage textImage(const QStringList& lines)
{
    QImage image(900, 260, QImage::Format_RGBA8888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    QFont font("DejaVu Sans");
    font.setPixelSize(40);
    painter.setFont(font);
    for (int index = 0; index < lines.size(); ++index) {
        painter.drawText(40, 90 + index * 90, lines[index]);
    }
    return fromQImage(image);
}

// Scattered soft squares: enough structure for correlation, nothing periodic.
QImage texture(int width, int height, int shiftX, int shiftY)
{
    QImage image(width, height, QImage::Format_RGBA8888);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::mt19937 random(7);
    for (int index = 0; index < 60; ++index) {
        const int x = static_cast<int>(random() % static_cast<unsigned>(width));
        const int y = static_cast<int>(random() % static_cast<unsigned>(height));
        const int size = 8 + static_cast<int>(random() % 24);
        painter.fillRect(x + shiftX, y + shiftY, size, size, QColor::fromHsv(index * 6 % 360, 200, 120));
    }
    return image;
}

int argc = 1;
char name[] = "vision";
char* argv[] = {name, nullptr};

} // namespace

class TarnVisionServicesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!QGuiApplication::instance()) {
            static QGuiApplication app(argc, argv);
        }
    }
};

TEST_F(TarnVisionServicesTest, ReadsTwoRenderedLinesInEnglishAndTurkish)
{
    auto english = TarnVisionServices::recognizeText(textImage({"Hello glass", "Quiet mouse"}), {"en-US"}, true);
    ASSERT_TRUE(english.hasValue()) << english.error().description;
    EXPECT_EQ(english->fullText(), "Hello glass\nQuiet mouse");
    ASSERT_EQ(english->lines.size(), 2u);
    // Normalised with the origin at the bottom: the first line sits higher.
    EXPECT_GT(english->lines[0].boundingBox.y, english->lines[1].boundingBox.y);
    for (const auto& line : english->lines) {
        EXPECT_GT(line.confidence, 0.5F);
        EXPECT_LE(line.confidence, 1.0F);
        EXPECT_GT(line.boundingBox.x, 0.0);
        EXPECT_LT(line.boundingBox.x + line.boundingBox.width, 1.0);
    }

    auto turkish = TarnVisionServices::recognizeText(textImage({"Günaydın dünya", "Işık çok güzel"}), {"tr-TR"}, true);
    ASSERT_TRUE(turkish.hasValue()) << turkish.error().description;
    EXPECT_EQ(turkish->fullText(), "Günaydın dünya\nIşık çok güzel");
}

TEST_F(TarnVisionServicesTest, ABlankImageHasNoLines)
{
    auto blank = TarnVisionServices::recognizeText(textImage({}), {"en"}, false);
    ASSERT_TRUE(blank.hasValue());
    EXPECT_TRUE(blank->lines.empty());
    EXPECT_EQ(blank->fullText(), "");
}

TEST_F(TarnVisionServicesTest, FallsBackThroughTheCpuAndTheFastLevelKeepingOnlyTheLastError)
{
    std::vector<std::string> attempts;
    auto failingUntil = [&](std::size_t succeedAt) {
        return [&attempts, succeedAt](const TarnImage&, const std::vector<std::string>&, TarnRecognitionLevel level,
                   bool cpuOnly) -> Result<TarnOCRResult, TarnVisionError> {
            attempts.push_back(std::string(level == TarnRecognitionLevel::accurate ? "accurate" : "fast")
                + (cpuOnly ? "/cpu" : "/default"));
            if (attempts.size() == succeedAt) {
                return TarnOCRResult {{TarnOCRLine {"ok", {}, 1}}};
            }
            return fail(TarnVisionError {"test", static_cast<int>(attempts.size()), "attempt failed"});
        };
    };
    auto second = TarnVisionServices::recognizeText({}, {}, true, failingUntil(2));
    ASSERT_TRUE(second.hasValue());
    EXPECT_EQ(attempts, (std::vector<std::string> {"accurate/default", "accurate/cpu"}));

    attempts.clear();
    auto none = TarnVisionServices::recognizeText({}, {}, false, failingUntil(99));
    ASSERT_FALSE(none.hasValue());
    EXPECT_EQ(none.error().code, 3);
    EXPECT_EQ(attempts, (std::vector<std::string> {"fast/default", "fast/cpu", "fast/cpu"}));
}

TEST_F(TarnVisionServicesTest, FullTextJoinsLinesWithoutATrailingLineFeed)
{
    EXPECT_EQ(TarnOCRResult {}.fullText(), "");
    EXPECT_EQ((TarnOCRResult {{{"a", {}, 1}, {"b", {}, 1}}}.fullText()), "a\nb");
}

TEST_F(TarnVisionServicesTest, MapsLanguageIdentifiersToTesseractNames)
{
    EXPECT_EQ(TarnVisionServices::tesseractLanguages({"en-US", "tr", "zh-Hant-TW", "xx"}), "eng+tur+chi_tra");
    EXPECT_EQ(TarnVisionServices::tesseractLanguages({}), "eng");
}

TEST_F(TarnVisionServicesTest, FeaturePrintsTellSimilarPicturesFromDifferentOnes)
{
    const auto base = fromQImage(texture(320, 200, 0, 0));
    auto print = TarnVisionServices::featurePrint(base);
    ASSERT_TRUE(print.hasValue());
    QImage brighter = texture(320, 200, 0, 0);
    QPainter(&brighter).fillRect(brighter.rect(), QColor(255, 255, 255, 40));
    auto similar = TarnVisionServices::featurePrint(fromQImage(brighter));
    auto different = TarnVisionServices::featurePrint(textImage({"Nothing alike"}));
    EXPECT_NEAR(print->distance(*print), 0.0F, 1e-6F);
    EXPECT_LT(print->distance(*similar), 0.2F);
    EXPECT_GT(print->distance(*different), 0.8F);

    auto empty = TarnVisionServices::featurePrint(TarnImage {});
    ASSERT_FALSE(empty.hasValue());
    EXPECT_EQ(empty.error(), (TarnVisionError {"TarnVisionServices", 1, "Could not compute image feature print."}));
}

TEST_F(TarnVisionServicesTest, TranslationalOffsetOfIdenticalAndShiftedPictures)
{
    const auto base = fromQImage(texture(300, 220, 0, 0));
    auto same = TarnVisionServices::translationalOffset(base, base);
    ASSERT_TRUE(same.hasValue());
    EXPECT_EQ(*same, (TarnImageOffset {0, 0}));

    // Content moved 13 px right and 6 px down; dy counts upward.
    auto moved = TarnVisionServices::translationalOffset(base, fromQImage(texture(300, 220, 13, 6)));
    ASSERT_TRUE(moved.hasValue());
    EXPECT_NEAR(moved->dx, 13, 1);
    EXPECT_NEAR(moved->dy, -6, 1);
}

} // namespace tarn
