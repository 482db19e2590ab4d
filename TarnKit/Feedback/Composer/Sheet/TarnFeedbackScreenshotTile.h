#pragma once

// One attached screenshot in the feedback sheet: a 124-wide tile on surface1 (radius 10, padded
// 6) showing the picture cropped to fill 112 x 68 with rounded corners, and under it the size and
// a red cross that asks for the screenshot's removal. Bytes that do not decode as an image give a
// tile without a picture; decoding is bounded by Qt's image allocation limit.

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
    bool hasPicture() const { return !m_picture.isNull(); }
    QAbstractButton* removeButton() const { return m_remove; }

    // The picture cropped to fill the tile's picture area at twice its size, for sharp display;
    // a null image when the bytes do not decode.
    static QImage thumbnail(const std::vector<std::uint8_t>& data);

signals:
    void removeRequested();

private:
    Uuid m_id;
    QImage m_picture;
    QAbstractButton* m_remove;
};

} // namespace tarn
