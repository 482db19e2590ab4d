#include "TarnKit/UI/Chrome/QtClipboardImageSource.h"

#include <algorithm>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>

namespace tarn {
namespace {

using Refusal = ClipboardImageSource::Refusal;

constexpr std::string_view kPng = "image/png";

std::vector<std::uint8_t> bytesOf(const QByteArray& data)
{
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
        reinterpret_cast<const std::uint8_t*>(data.constData()) + data.size()};
}

Result<std::vector<std::uint8_t>, Refusal> pngOf(const QImage& image)
{
    if (static_cast<long long>(image.width()) * image.height() > QtClipboardImageSource::kMaxConvertedPixels) {
        return fail(Refusal::tooLarge);
    }
    QByteArray png;
    QBuffer output(&png);
    output.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&output, "PNG") || png.isEmpty()) {
        return fail(Refusal::noImage);
    }
    return bytesOf(png);
}

// The image in `encoded` as PNG; its size is judged from its header, before it is decoded.
Result<std::vector<std::uint8_t>, Refusal> convertedToPng(QByteArray encoded)
{
    QBuffer input(&encoded);
    input.open(QIODevice::ReadOnly);
    QImageReader reader(&input);
    const QSize size = reader.size();
    if (size.isValid()
        && static_cast<long long>(size.width()) * size.height() > QtClipboardImageSource::kMaxConvertedPixels) {
        return fail(Refusal::tooLarge);
    }
    return pngOf(reader.read());
}

// The offered image types worth asking for, best first: PNG as it is, then TIFF, which the
// desktops' screenshot tools offer, then any other type Qt decodes.
std::vector<std::string> imageTypesWorthAsking(const std::vector<std::string>& offered)
{
    std::vector<std::string> wanted;
    for (const char* preferred : {"image/png", "image/tiff"}) {
        if (std::find(offered.begin(), offered.end(), preferred) != offered.end()) {
            wanted.emplace_back(preferred);
        }
    }
    const QList<QByteArray> decodable = QImageReader::supportedMimeTypes();
    for (const std::string& type : offered) {
        if (std::find(wanted.begin(), wanted.end(), type) == wanted.end()
            && decodable.contains(QByteArray::fromStdString(type))) {
            wanted.push_back(type);
        }
    }
    return wanted;
}

QByteArray qBytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

} // namespace

QtClipboardImageSource::QtClipboardImageSource(const ClipboardOfferReader* foreignOffers)
    : m_foreignOffers(foreignOffers)
{
}

Result<std::vector<std::uint8_t>, Refusal> QtClipboardImageSource::pngImage(std::size_t maxBytes) const
{
    // This program's own offer is answered by its own interface thread, which is the one asking:
    // it is read from Qt's copy, never through the desktop.
    if (m_foreignOffers == nullptr || QGuiApplication::clipboard()->ownsClipboard()) {
        return qtImage(maxBytes);
    }
    return foreignImage(maxBytes);
}

Result<std::vector<std::uint8_t>, Refusal> QtClipboardImageSource::foreignImage(std::size_t maxBytes) const
{
    // One deadline for the whole paste: the list of types and every transfer share it.
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    for (const std::string& type : imageTypesWorthAsking(m_foreignOffers->offeredTypes(deadline))) {
        auto data = m_foreignOffers->read(type, maxBytes, deadline);
        if (!data && data.error() == ClipboardOfferReader::Failure::tooLarge) {
            return fail(Refusal::tooLarge);
        }
        if (!data && data.error() == ClipboardOfferReader::Failure::noAnswer) {
            return fail(Refusal::noImage);
        }
        if (!data || data->empty()) {
            continue;
        }
        if (type == kPng) {
            return std::move(data).value();
        }
        return convertedToPng(qBytes(data.value()));
    }
    return fail(Refusal::noImage);
}

Result<std::vector<std::uint8_t>, Refusal> QtClipboardImageSource::qtImage(std::size_t maxBytes) const
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr) {
        return fail(Refusal::noImage);
    }
    for (const char* type : {"image/png", "image/tiff"}) {
        const QByteArray data = mime->data(QString::fromLatin1(type));
        if (data.isEmpty()) {
            continue;
        }
        if (static_cast<std::size_t>(data.size()) > maxBytes) {
            return fail(Refusal::tooLarge);
        }
        return type == kPng ? bytesOf(data) : convertedToPng(data);
    }
    if (!mime->hasImage()) {
        return fail(Refusal::noImage);
    }
    return pngOf(qvariant_cast<QImage>(mime->imageData()));
}

} // namespace tarn
