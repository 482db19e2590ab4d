#include "TarnKit/UI/Chrome/QtClipboardImageSource.h"

#include <chrono>
#include <cstring>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClipboardOfferReader.h"

namespace tarn {
namespace {

using Refusal = ClipboardImageSource::Refusal;
constexpr std::size_t kLimit = 5'242'880;

std::vector<std::uint8_t> encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {bytes.begin(), bytes.end()};
}

QImage decoded(const std::vector<std::uint8_t>& png)
{
    return QImage::fromData(
        QByteArray(reinterpret_cast<const char*>(png.data()), static_cast<qsizetype>(png.size())), "PNG");
}

QImage greenImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30));
    return image;
}

TEST(QtClipboardImageSource, GivesPngBytesOfThisProgramsClipboardImage)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QtClipboardImageSource source(nullptr);
    clipboard->setText(QStringLiteral("no image"));
    EXPECT_EQ(source.pngImage(kLimit).error(), Refusal::noImage);

    clipboard->setImage(greenImage(3, 2));
    const auto png = source.pngImage(kLimit);
    ASSERT_TRUE(png);
    EXPECT_EQ(decoded(*png).size(), QSize(3, 2));
    EXPECT_EQ(decoded(*png).pixelColor(1, 1), QColor(10, 200, 30));

    // PNG data offered as such is taken unchanged, and refused over the limit.
    auto* mime = new QMimeData;
    const QByteArray raw("\x89PNG not really", 15);
    mime->setData(QStringLiteral("image/png"), raw);
    clipboard->setMimeData(mime);
    const auto unchanged = source.pngImage(kLimit);
    ASSERT_TRUE(unchanged);
    EXPECT_EQ(*unchanged, std::vector<std::uint8_t>(raw.begin(), raw.end()));
    EXPECT_EQ(source.pngImage(14).error(), Refusal::tooLarge);
    clipboard->clear();
}

TEST(QtClipboardImageSource, ReadsAnotherProgramsOfferWithinOneDeadlineAndTheLimit)
{
    const auto png = encoded(greenImage(4, 4), "PNG");
    const auto bmp = encoded(greenImage(5, 3), "BMP");
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::vector<std::uint8_t>>> offers;
        std::optional<ClipboardOfferReader::Failure> failure;
        std::optional<QSize> expectedSize;
        std::optional<Refusal> expectedRefusal;
    };
    const Case cases[] = {
        {"PNG beside text", {{"text/plain", {'x'}}, {"image/png", png}}, std::nullopt, QSize(4, 4), std::nullopt},
        {"BMP only: converted", {{"image/bmp", bmp}}, std::nullopt, QSize(5, 3), std::nullopt},
        {"PNG preferred to BMP", {{"image/bmp", bmp}, {"image/png", png}}, std::nullopt, QSize(4, 4), std::nullopt},
        {"text only", {{"text/plain", {'x'}}}, std::nullopt, std::nullopt, Refusal::noImage},
        {"an owner that does not answer", {{"image/png", png}}, ClipboardOfferReader::Failure::noAnswer, std::nullopt,
            Refusal::noImage},
        {"an offer over the limit", {{"image/png", std::vector<std::uint8_t>(kLimit + 1, 1)}}, std::nullopt,
            std::nullopt, Refusal::tooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClipboardOfferReader reader;
        for (const auto& [type, bytes] : c.offers) {
            reader.offer(type, bytes);
        }
        reader.failWith(c.failure);
        const auto before = std::chrono::steady_clock::now();
        const auto image = QtClipboardImageSource(&reader).pngImage(kLimit);
        if (c.expectedSize) {
            ASSERT_TRUE(image);
            EXPECT_EQ(decoded(*image).size(), *c.expectedSize);
        } else {
            ASSERT_FALSE(image);
            EXPECT_EQ(image.error(), *c.expectedRefusal);
        }
        // One deadline, about a second away, for the list and every transfer.
        ASSERT_FALSE(reader.deadlines().empty());
        for (const auto deadline : reader.deadlines()) {
            EXPECT_EQ(deadline, reader.deadlines().front());
            EXPECT_LE(deadline - before, QtClipboardImageSource::kPatience + std::chrono::milliseconds(500));
        }
    }
}

TEST(QtClipboardImageSource, DoesNotConvertAnImageThatDeclaresTooManyPixels)
{
    // A small BMP file can declare a picture of any size in its header.
    auto bmp = encoded(greenImage(2, 2), "BMP");
    const std::int32_t width = 5000;
    const std::int32_t height = 4000;
    std::memcpy(bmp.data() + 18, &width, sizeof width);
    std::memcpy(bmp.data() + 22, &height, sizeof height);
    FakeClipboardOfferReader reader;
    reader.offer("image/bmp", bmp);
    EXPECT_EQ(QtClipboardImageSource(&reader).pngImage(kLimit).error(), Refusal::tooLarge);
}

} // namespace
} // namespace tarn
