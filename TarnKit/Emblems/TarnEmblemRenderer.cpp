#include "TarnKit/Emblems/TarnEmblemRenderer.h"

#include <algorithm>
#include <cmath>
#include <list>
#include <mutex>
#include <unordered_map>

#include <QBuffer>
#include <QPainter>

#include "TarnKit/Emblems/TarnEmblemArtworkMedia.h"
#include "TarnKit/Emblems/TarnEmblemArtworkProductivity.h"
#include "TarnKit/Emblems/TarnEmblemArtworkSystemNet.h"
#include "TarnKit/Emblems/TarnEmblemCanvas.h"
#include "TarnKit/Emblems/TarnFlatDraw.h"

namespace tarn {

namespace {

constexpr double kMinimumPointSize = 10.0;
constexpr int kMinimumImagePixels = 16;
constexpr double kMinimumScale = 1.0;
constexpr double kMaximumScale = 3.0;
// 60 design units span 88% of the image side.
constexpr double kDesignSpan = 60.0;
constexpr double kCoverage = 0.88;
constexpr std::size_t kDisplayIndex = 30;

// A bounded cache that forgets the least recently used image first.
class EmblemCache {
public:
    std::shared_ptr<const TarnEmblemImage> find(const std::string& key)
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_index.find(key);
        if (found == m_index.end()) {
            return nullptr;
        }
        m_order.splice(m_order.begin(), m_order, found->second);
        return found->second->second;
    }

    // Keeps the image already cached under `key` if another thread stored one first, so every
    // caller gets the same object.
    std::shared_ptr<const TarnEmblemImage> insert(const std::string& key, std::shared_ptr<const TarnEmblemImage> image)
    {
        const std::lock_guard lock(m_mutex);
        if (const auto found = m_index.find(key); found != m_index.end()) {
            return found->second->second;
        }
        m_order.emplace_front(key, std::move(image));
        m_index.emplace(key, m_order.begin());
        if (m_order.size() > TarnEmblemRenderer::kCacheLimit) {
            m_index.erase(m_order.back().first);
            m_order.pop_back();
        }
        return m_order.front().second;
    }

private:
    using Entry = std::pair<std::string, std::shared_ptr<const TarnEmblemImage>>;

    std::mutex m_mutex;
    std::list<Entry> m_order;
    std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
};

EmblemCache& cache()
{
    static EmblemCache instance;
    return instance;
}

void drawDisplayWithPlay(TarnEmblemCanvas& canvas)
{
    const TarnEmblemTone& tone = canvas.tone();
    TarnFlatDraw::displayFrame(canvas);
    canvas.fill(TarnEmblemCanvas::polygon({{45, 36}, {45, 53}, {58, 44.5}}), tone.primary());
    canvas.fillEllipse(26.5, 30.5, 5, 5, tone.accent());
}

} // namespace

bool TarnEmblemRenderer::drawFlatEmblem(TarnAppIdentity identity, QPainter& painter, const TarnEmblemTone& tone)
{
    TarnEmblemCanvas canvas(painter, tone);
    if (TarnEmblemArtworkProductivity::draw(identity, canvas)) {
        return true;
    }
    if (catalogIndex(identity) == kDisplayIndex) {
        drawDisplayWithPlay(canvas);
        return true;
    }
    if (TarnEmblemArtworkMedia::draw(identity, canvas)) {
        return true;
    }
    return TarnEmblemArtworkSystemNet::draw(identity, canvas);
}

int TarnEmblemRenderer::pixelSize(double pointSize, double scale)
{
    const double points = std::isfinite(pointSize) ? std::max(pointSize, kMinimumPointSize) : kMinimumPointSize;
    const double factor = std::isfinite(scale) ? std::clamp(scale, kMinimumScale, kMaximumScale) : kMinimumScale;
    // std::round rounds halves away from zero.
    const double pixels = std::min(std::round(points * factor), static_cast<double>(kMaxPixelSize) + 1.0);
    return std::max(kMinimumImagePixels, static_cast<int>(pixels));
}

std::string TarnEmblemRenderer::cacheKey(TarnAppIdentity identity, int pixelSize, bool asTemplate)
{
    return std::string(rawValue(identity)) + "_" + std::to_string(pixelSize) + (asTemplate ? "_tpl" : "_glass");
}

QImage TarnEmblemRenderer::render(TarnAppIdentity identity, int pixelSize, const TarnEmblemTone& tone)
{
    if (pixelSize <= 0 || pixelSize > kMaxPixelSize) {
        return {};
    }
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return {};
    }
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // Qt's raster is y-down like the design space, so the scale keeps its sign: the emblem's up
    // stays up. The image itself is the transparency layer: a cut-out erases only the emblem.
    const double n = pixelSize;
    const double k = n * kCoverage / kDesignSpan;
    painter.translate(n / 2.0, n / 2.0);
    painter.scale(k, k);
    painter.translate(-50.0, -50.0);
    drawFlatEmblem(identity, painter, tone);
    painter.end();
    return image;
}

std::shared_ptr<const TarnEmblemImage> TarnEmblemRenderer::image(
    TarnAppIdentity identity, double pointSize, double scale, bool asTemplate)
{
    const double points = std::isfinite(pointSize) ? std::max(pointSize, kMinimumPointSize) : kMinimumPointSize;
    const int pixels = TarnEmblemRenderer::pixelSize(pointSize, scale);
    const std::string key = cacheKey(identity, pixels, asTemplate);
    if (auto cached = cache().find(key)) {
        return cached;
    }
    auto image = std::make_shared<TarnEmblemImage>();
    image->image = render(identity, pixels);
    image->image.setDevicePixelRatio(pixels / points);
    image->pointSize = points;
    image->isTemplate = asTemplate;
    return cache().insert(key, std::move(image));
}

QByteArray TarnEmblemRenderer::pngData(TarnAppIdentity identity, int pixelSize)
{
    const QImage image = render(identity, pixelSize);
    if (image.isNull()) {
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return {};
    }
    return bytes;
}

} // namespace tarn
