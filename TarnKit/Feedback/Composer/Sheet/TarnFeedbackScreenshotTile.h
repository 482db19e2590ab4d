#pragma once

// One attached screenshot in the feedback sheet: a 124-wide tile on surface1 (radius 10, padded
// 6) showing the picture cropped to fill 112 x 68 with rounded corners, and under it the size and
// a red cross that asks for the screenshot's removal. The picture's place is kept empty until its
// thumbnail arrives (decoded elsewhere, see TarnFeedbackThumbnailLoader); bytes that do not decode
// as an image give a tile without a picture.

#include <QImage>

#include "TarnKit/Feedback/TarnFeedbackScreenshot.h"
#include "TarnKit/UI/Glass/TarnRoundedPanel.h"

class QAbstractButton;

namespace tarn {

class TarnFeedbackScreenshotTile : public TarnRoundedPanel {
    Q_OBJECT

public:
    static constexpr int kWidth = 124;
    static constexpr int kPadding = 6;
    static constexpr int kPictureWidth = 112;
    static constexpr int kPictureHeight = 68;
    static constexpr double kPictureCornerRadius = 8.0;

    explicit TarnFeedbackScreenshotTile(const TarnFeedbackScreenshot& screenshot, QWidget* parent = nullptr);

    const Uuid& screenshotId() const { return m_id; }
    bool hasPicture() const;
    // The decoded thumbnail; a null image removes the picture's place.
    void showThumbnail(const QImage& thumbnail);
    QAbstractButton* removeButton() const { return m_remove; }

    // The picture cropped to fill the tile's picture area at twice its size, for sharp display;
    // a null image when the bytes do not decode. Bounded by Qt's image allocation limit, it still
    // may take a second for an image that declares a huge size: call it off the interface thread.
    static QImage thumbnail(const std::vector<std::uint8_t>& data);

signals:
    void removeRequested();

private:
    class PictureView;

    Uuid m_id;
    PictureView* m_picture;
    QAbstractButton* m_remove;
};

} // namespace tarn
