#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackScreenshotTile.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "TarnKit/UI/Buttons/TarnPlainSymbolButton.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnLabel.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {
namespace {

constexpr int kSharpness = 2;
constexpr double kRemoveSide = 12.0;

} // namespace

// The decoded picture, clipped to a continuous rounded rectangle; empty until it arrives.
class TarnFeedbackScreenshotTile::PictureView : public QWidget {
public:
    PictureView()
    {
        setObjectName(QStringLiteral("screenshotPicture"));
        setFixedSize(kPictureWidth, kPictureHeight);
    }

    void setPicture(QImage picture)
    {
        m_picture = std::move(picture);
        update();
    }

    bool hasPicture() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        if (m_picture.isNull()) {
            return;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.setClipPath(TarnContinuousShape::roundedRect(QRectF(rect()), kPictureCornerRadius));
        painter.drawImage(QRectF(rect()), m_picture);
    }

private:
    QImage m_picture;
};

QImage TarnFeedbackScreenshotTile::thumbnail(const std::vector<std::uint8_t>& data)
{
    QByteArray bytes(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize target(kPictureWidth * kSharpness, kPictureHeight * kSharpness);
    // Formats that can (JPEG) decode straight to about the size shown, which costs a fraction of
    // the whole picture; the others decode whole and are scaled below.
    if (const QSize declared = reader.size(); declared.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)
        && declared.width() > target.width() && declared.height() > target.height()) {
        reader.setScaledSize(declared.scaled(target, Qt::KeepAspectRatioByExpanding));
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    const QImage filled = image.scaled(target, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return filled.copy(
        QRect(QPoint((filled.width() - target.width()) / 2, (filled.height() - target.height()) / 2), target));
}

TarnFeedbackScreenshotTile::TarnFeedbackScreenshotTile(const TarnFeedbackScreenshot& screenshot, QWidget* parent)
    : TarnRoundedPanel(TarnGlassTokens::surface1(), 10, Qt::transparent, parent)
    , m_id(screenshot.id)
    , m_picture(new PictureView)
{
    setObjectName(QStringLiteral("screenshotTile"));
    setFixedWidth(kWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    column->setSpacing(4);
    column->addWidget(m_picture);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(tarnLabel(toQString(screenshot.formattedSize()),
        TarnTextStyles::font(TarnTextStyle::caption2, QFont::Normal, TarnFontDesign::monospaced),
        TarnGlassTokens::textMuted(), "screenshotSize"));
    row->addStretch(1);
    m_remove = new TarnPlainSymbolButton("xmark.circle.fill", kRemoveSide, TarnGlassTokens::danger());
    m_remove->setObjectName(QStringLiteral("removeScreenshotButton"));
    connect(m_remove, &QAbstractButton::clicked, this, &TarnFeedbackScreenshotTile::removeRequested);
    row->addWidget(m_remove);
    column->addLayout(row);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

bool TarnFeedbackScreenshotTile::hasPicture() const
{
    return m_picture != nullptr && m_picture->hasPicture();
}

void TarnFeedbackScreenshotTile::showThumbnail(const QImage& thumbnail)
{
    if (m_picture == nullptr) {
        return;
    }
    if (thumbnail.isNull()) {
        delete m_picture;
        m_picture = nullptr;
        return;
    }
    m_picture->setPicture(thumbnail);
}

} // namespace tarn
