#include "TarnKit/UI/Chrome/QtClipboardImageSource.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace tarn {
namespace {

std::vector<std::uint8_t> bytesOf(const QByteArray& data)
{
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
        reinterpret_cast<const std::uint8_t*>(data.constData()) + data.size()};
}

} // namespace

std::optional<std::vector<std::uint8_t>> QtClipboardImageSource::pngImage() const
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr) {
        return std::nullopt;
    }
    if (const QByteArray png = mime->data(QStringLiteral("image/png")); !png.isEmpty()) {
        return bytesOf(png);
    }
    QImage image;
    if (const QByteArray tiff = mime->data(QStringLiteral("image/tiff")); !tiff.isEmpty()) {
        image = QImage::fromData(tiff);
    }
    if (image.isNull() && mime->hasImage()) {
        image = qvariant_cast<QImage>(mime->imageData());
    }
    if (image.isNull()) {
        return std::nullopt;
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || encoded.isEmpty()) {
        return std::nullopt;
    }
    return bytesOf(encoded);
}

} // namespace tarn
