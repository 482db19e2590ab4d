#pragma once

// Decodes the screenshots' thumbnails one at a time on a worker thread: an image may declare a
// huge size in a few bytes, and decoding it takes seconds that the interface must not wait. One at
// a time, so five such images hold one decoded picture in memory, not five. Each result comes back
// on the interface thread; none arrives once the loader is gone.

#include <cstdint>
#include <memory>
#include <vector>

#include <QImage>
#include <QObject>

#include "TarnKit/Foundation/Basics/Uuid.h"

namespace tarn {

class TarnFeedbackThumbnailLoader : public QObject {
    Q_OBJECT

public:
    explicit TarnFeedbackThumbnailLoader(QObject* parent = nullptr);
    ~TarnFeedbackThumbnailLoader() override;

    // Queues the thumbnail of one screenshot; `loaded` reports it.
    void load(const Uuid& id, const std::vector<std::uint8_t>& data);

signals:
    // A null image when the bytes do not decode.
    void loaded(const tarn::Uuid& id, const QImage& thumbnail);

private:
    class Queue;

    const std::shared_ptr<Queue> m_queue;
};

} // namespace tarn
