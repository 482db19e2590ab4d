#include "TarnKit/Feedback/Composer/TarnFeedbackSheetState.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include <QMetaObject>
#include <QThreadPool>

#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn {
namespace {

constexpr int kMaxScreenshotMegabytes = static_cast<int>(TarnFeedbackService::kMaxScreenshotBytes / (1024 * 1024));

} // namespace

// Hands a submission's outcome from its worker to the state on the interface thread, or drops it
// once the state is gone.
class TarnFeedbackSheetState::Delivery {
public:
    explicit Delivery(TarnFeedbackSheetState* state)
        : m_state(state)
    {
    }

    void detach()
    {
        const std::lock_guard lock(m_mutex);
        m_state = nullptr;
    }

    void deliver(const Outcome& outcome)
    {
        const std::lock_guard lock(m_mutex);
        if (m_state == nullptr) {
            return;
        }
        // Posted under the lock that the state's destructor takes first, so the state is alive
        // while the event is posted; a state destroyed before the event runs discards it.
        TarnFeedbackSheetState* state = m_state;
        QMetaObject::invokeMethod(
            state, [state, outcome] { state->finishSubmission(outcome); }, Qt::QueuedConnection);
    }

private:
    std::mutex m_mutex;
    TarnFeedbackSheetState* m_state;
};

TarnFeedbackSheetState::TarnFeedbackSheetState(TarnFeedbackSheetInputs inputs, Services services, QObject* parent)
    : QObject(parent)
    , m_inputs(std::move(inputs))
    , m_services(std::move(services))
    , m_delivery(std::make_shared<Delivery>(this))
{
}

TarnFeedbackSheetState::~TarnFeedbackSheetState()
{
    m_delivery->detach();
}

TarnFeedbackSheetState::Submitter TarnFeedbackSheetState::submitterFor(const TarnFeedbackService& service)
{
    return [service](const TarnFeedbackSubmission& submission) { return service.submit(submission); };
}

std::string TarnFeedbackSheetState::mimeTypeForFile(const std::filesystem::path& file)
{
    const std::string extension = UnicodeText::lowercased(file.extension().string());
    if (extension == ".jpg" || extension == ".jpeg") {
        return "image/jpeg";
    }
    if (extension == ".webp") {
        return "image/webp";
    }
    if (extension == ".gif") {
        return "image/gif";
    }
    return "image/png";
}

void TarnFeedbackSheetState::setKind(TarnFeedbackKind kind)
{
    if (kind != m_kind) {
        m_kind = kind;
        emit kindChanged();
    }
}

void TarnFeedbackSheetState::setEmail(std::string email)
{
    setText(m_email, std::move(email));
}

void TarnFeedbackSheetState::setSenderName(std::string senderName)
{
    setText(m_senderName, std::move(senderName));
}

void TarnFeedbackSheetState::setSubject(std::string subject)
{
    setText(m_subject, std::move(subject));
}

void TarnFeedbackSheetState::setMessage(std::string message)
{
    setText(m_message, std::move(message));
}

void TarnFeedbackSheetState::pasteFromClipboard()
{
    setErrorMessage(std::nullopt);
    if (isFull()) {
        setErrorMessage(TarnFeedbackError::tooManyScreenshots(TarnFeedbackService::kMaxScreenshots)
                            .description(interfaceLanguage()));
        return;
    }
    auto screenshot
        = TarnFeedbackService::readScreenshotFromClipboard(m_services.clipboard, m_services.clock.wallNow());
    if (!screenshot && screenshot.error() == ClipboardImageSource::Refusal::noImage) {
        setStatusHint(tarnText("No image found on the clipboard right now. Take a screenshot first, then click Paste.",
            "Panoda görsel bulunamadı. Önce ekran görüntüsü alıp ardından Panodan Yapıştır'a tıklayın.",
            m_inputs.language));
        return;
    }
    // An image re-encoded as PNG can outgrow the limit its offer kept to.
    if (!screenshot || screenshot->data.size() > TarnFeedbackService::kMaxScreenshotBytes) {
        setErrorMessage(
            TarnFeedbackError::screenshotTooLarge(kMaxScreenshotMegabytes).description(interfaceLanguage()));
        return;
    }
    m_screenshots.push_back(std::move(screenshot).value());
    emit screenshotsChanged();
    setStatusHint(
        tarnText("Screenshot pasted from clipboard.", "Panodaki ekran görüntüsü eklendi.", m_inputs.language));
}

void TarnFeedbackSheetState::pickScreenshotsFromDisk()
{
    setErrorMessage(std::nullopt);
    const auto files = m_services.picker.chooseImages();
    if (!files) {
        return;
    }
    bool added = false;
    for (const auto& file : *files) {
        if (isFull()) {
            setErrorMessage(TarnFeedbackError::tooManyScreenshots(TarnFeedbackService::kMaxScreenshots)
                                .description(interfaceLanguage()));
            break;
        }
        // The size is judged before anything is read, so a huge file costs nothing; a folder, a
        // device or a pipe picked by name is refused without blocking.
        const auto bytes = WholeFile::read(file, TarnFeedbackService::kMaxScreenshotBytes);
        if (!bytes) {
            if (bytes.error() == WholeFile::Failure::tooLarge) {
                setErrorMessage(
                    TarnFeedbackError::screenshotTooLarge(kMaxScreenshotMegabytes).description(interfaceLanguage()));
            }
            continue;
        }
        if (bytes->empty()) {
            continue;
        }
        m_screenshots.push_back({Uuid::random(), UnicodeText::sanitizedUtf8(file.filename().string()),
            mimeTypeForFile(file), std::vector<std::uint8_t>(bytes->begin(), bytes->end())});
        added = true;
    }
    if (added) {
        emit screenshotsChanged();
    }
}

void TarnFeedbackSheetState::removeScreenshot(const Uuid& id)
{
    if (std::erase_if(m_screenshots, [&id](const TarnFeedbackScreenshot& screenshot) { return screenshot.id == id; })
        > 0) {
        emit screenshotsChanged();
    }
}

void TarnFeedbackSheetState::submitFeedback()
{
    if (m_isSubmitting) {
        return;
    }
    setErrorMessage(std::nullopt);
    m_isSubmitting = true;
    emit submissionChanged();

    TarnFeedbackSubmission snapshot {m_inputs.appName, m_inputs.version, m_kind, m_email, m_senderName, m_subject,
        m_message, m_screenshots, m_inputs.language, m_inputs.baseURL};
    QThreadPool* workers = m_services.workers != nullptr ? m_services.workers : QThreadPool::globalInstance();
    workers->start([submit = m_services.submit, snapshot = std::move(snapshot), delivery = m_delivery] {
        delivery->deliver(submit(snapshot));
    });
}

void TarnFeedbackSheetState::startOver()
{
    m_receipt.reset();
    m_subject.clear();
    m_message.clear();
    m_screenshots.clear();
    setErrorMessage(std::nullopt);
    emit textsChanged();
    emit screenshotsChanged();
    emit submissionChanged();
}

void TarnFeedbackSheetState::finishSubmission(const Outcome& outcome)
{
    m_isSubmitting = false;
    if (outcome) {
        m_receipt = outcome.value();
    } else {
        setErrorMessage(outcome.error().description(interfaceLanguage()));
    }
    emit submissionChanged();
}

TarnLanguage TarnFeedbackSheetState::interfaceLanguage() const
{
    return m_services.interfaceLanguage ? m_services.interfaceLanguage() : m_inputs.language;
}

bool TarnFeedbackSheetState::isFull() const
{
    return m_screenshots.size() >= static_cast<std::size_t>(TarnFeedbackService::kMaxScreenshots);
}

void TarnFeedbackSheetState::setErrorMessage(std::optional<std::string> message)
{
    if (message != m_errorMessage) {
        m_errorMessage = std::move(message);
        emit linesChanged();
    }
}

void TarnFeedbackSheetState::setStatusHint(std::optional<std::string> hint)
{
    if (hint != m_statusHint) {
        m_statusHint = std::move(hint);
        emit linesChanged();
    }
}

void TarnFeedbackSheetState::setText(std::string& field, std::string value)
{
    if (value != field) {
        field = std::move(value);
        emit textsChanged();
    }
}

} // namespace tarn
