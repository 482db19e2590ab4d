#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackThumbnailLoader.h"

#include <deque>
#include <mutex>
#include <utility>

#include <QByteArray>
#include <QMetaObject>
#include <QThreadPool>

#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackScreenshotTile.h"

namespace tarn {

// The jobs waiting, shared with the one worker that drains them; detached when the loader goes.
class TarnFeedbackThumbnailLoader::Queue : public std::enable_shared_from_this<Queue> {
public:
    explicit Queue(TarnFeedbackThumbnailLoader* owner)
        : m_owner(owner)
    {
    }

    void push(const Uuid& id, std::vector<std::uint8_t> data)
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back({id, std::move(data)});
        if (!m_draining) {
            m_draining = true;
            // The global pool, which the application waits for as it quits: a decode under way
            // finishes, and its result is dropped.
            QThreadPool::globalInstance()->start([queue = shared_from_this()] { queue->drain(); });
        }
    }

    void detach()
    {
        const std::lock_guard lock(m_mutex);
        m_owner = nullptr;
        m_jobs.clear();
    }

private:
    struct Job {
        Uuid id;
        std::vector<std::uint8_t> data;
    };

    void drain()
    {
        for (;;) {
            Job job;
            {
                const std::lock_guard lock(m_mutex);
                if (m_jobs.empty()) {
                    m_draining = false;
                    return;
                }
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            const QImage thumbnail = TarnFeedbackScreenshotTile::thumbnail(job.data);
            deliver(job.id, thumbnail);
        }
    }

    void deliver(const Uuid& id, const QImage& thumbnail)
    {
        const std::lock_guard lock(m_mutex);
        if (m_owner == nullptr) {
            return;
        }
        // Posted under the lock the loader's destructor takes, so the loader is alive while the
        // event is posted; one destroyed before the event runs discards it.
        TarnFeedbackThumbnailLoader* owner = m_owner;
        QMetaObject::invokeMethod(
            owner, [owner, id, thumbnail] { emit owner->loaded(id, thumbnail); }, Qt::QueuedConnection);
    }

    std::mutex m_mutex;
    TarnFeedbackThumbnailLoader* m_owner;
    std::deque<Job> m_jobs;
    bool m_draining = false;
};

TarnFeedbackThumbnailLoader::TarnFeedbackThumbnailLoader(QObject* parent)
    : QObject(parent)
    , m_queue(std::make_shared<Queue>(this))
{
}

TarnFeedbackThumbnailLoader::~TarnFeedbackThumbnailLoader()
{
    m_queue->detach();
}

void TarnFeedbackThumbnailLoader::load(const Uuid& id, const std::vector<std::uint8_t>& data)
{
    m_queue->push(id, data);
}

} // namespace tarn
