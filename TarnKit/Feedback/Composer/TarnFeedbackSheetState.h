#pragma once

// The feedback composer's form: the topic, the four texts as typed, the screenshots, and the one
// submission in flight with its outcome, a receipt or an error line. Every function runs on the
// interface thread. A submission sends a snapshot of the form from a worker thread (edits made
// meanwhile are not sent) and its outcome comes back to the interface thread. Destroying the
// state while a submission runs is safe: the outcome is dropped and reaches no other form.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QObject>

#include "TarnKit/Feedback/ClipboardImageSource.h"
#include "TarnKit/Feedback/Composer/ScreenshotFilePicker.h"
#include "TarnKit/Feedback/Composer/TarnFeedbackSheetInputs.h"
#include "TarnKit/Feedback/TarnFeedbackError.h"
#include "TarnKit/Feedback/TarnFeedbackKind.h"
#include "TarnKit/Feedback/TarnFeedbackReceipt.h"
#include "TarnKit/Feedback/TarnFeedbackScreenshot.h"
#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Localization/TarnLanguage.h"

class QThreadPool;

namespace tarn {

class TarnFeedbackSheetState : public QObject {
    Q_OBJECT

public:
    using Outcome = Result<TarnFeedbackReceipt, TarnFeedbackError>;
    // Sends one report and waits for the answer. It runs on a worker thread and may outlive the
    // state, so it must own or share everything it uses.
    using Submitter = std::function<Outcome(const TarnFeedbackSubmission&)>;

    // Each reference must outlive the state.
    struct Services {
        const ClipboardImageSource& clipboard;
        ScreenshotFilePicker& picker;
        Submitter submit;
        // The program's interface language, in which error texts are written (the sheet's own
        // language may differ); empty: the sheet's language.
        std::function<TarnLanguage()> interfaceLanguage;
        // Names pasted screenshots.
        const Clock& clock;
        // Where submissions run; null: Qt's global pool, which the application waits for before
        // it quits, so a report under way is neither cut off nor left running during shutdown.
        QThreadPool* workers = nullptr;
    };

    TarnFeedbackSheetState(TarnFeedbackSheetInputs inputs, Services services, QObject* parent = nullptr);
    ~TarnFeedbackSheetState() override;

    // A submitter that sends through its own copy of `service`, whose ports it shares.
    static Submitter submitterFor(const TarnFeedbackService& service);
    // "image/jpeg" for jpg and jpeg, "image/webp", "image/gif", else "image/png"; the extension
    // is compared in lower case.
    static std::string mimeTypeForFile(const std::filesystem::path& file);

    const TarnFeedbackSheetInputs& inputs() const { return m_inputs; }
    TarnFeedbackKind kind() const { return m_kind; }
    const std::string& email() const { return m_email; }
    const std::string& senderName() const { return m_senderName; }
    const std::string& subject() const { return m_subject; }
    const std::string& message() const { return m_message; }
    const std::vector<TarnFeedbackScreenshot>& screenshots() const { return m_screenshots; }
    bool isSubmitting() const { return m_isSubmitting; }
    const std::optional<std::string>& errorMessage() const { return m_errorMessage; }
    const std::optional<std::string>& statusHint() const { return m_statusHint; }
    const std::optional<TarnFeedbackReceipt>& receipt() const { return m_receipt; }

    void setKind(TarnFeedbackKind kind);
    // Kept as typed: no trimming, filtering or length limit.
    void setEmail(std::string email);
    void setSenderName(std::string senderName);
    void setSubject(std::string subject);
    void setMessage(std::string message);

    // Adds the clipboard's image, or sets the hint (no image) or the error line (too many, too
    // large). The clipboard is not read when five screenshots are attached already.
    void pasteFromClipboard();
    // Adds the image files the user picks, in order, until five are attached; an oversized file
    // sets the error line and is skipped, an empty or unreadable one is skipped silently.
    void pickScreenshotsFromDisk();
    // Removes every screenshot with this id; the error line and the hint stay.
    void removeScreenshot(const Uuid& id);
    // Starts sending the form as it is now; does nothing while a submission runs.
    void submitFeedback();
    // After a receipt: back to the form with the topic, e-mail, name and hint kept.
    void startOver();

signals:
    void kindChanged();
    void textsChanged();
    void screenshotsChanged();
    // The error line or the hint.
    void linesChanged();
    // isSubmitting or the receipt.
    void submissionChanged();

private:
    class Delivery;

    void finishSubmission(const Outcome& outcome);
    TarnLanguage interfaceLanguage() const;
    bool isFull() const;
    void setErrorMessage(std::optional<std::string> message);
    void setStatusHint(std::optional<std::string> hint);
    void setText(std::string& field, std::string value);

    const TarnFeedbackSheetInputs m_inputs;
    const Services m_services;
    // Shared with the workers of the submissions under way; detached when the state goes.
    const std::shared_ptr<Delivery> m_delivery;

    TarnFeedbackKind m_kind = TarnFeedbackKind::feature;
    std::string m_email;
    std::string m_senderName;
    std::string m_subject;
    std::string m_message;
    std::vector<TarnFeedbackScreenshot> m_screenshots;
    bool m_isSubmitting = false;
    std::optional<std::string> m_errorMessage;
    std::optional<std::string> m_statusHint;
    std::optional<TarnFeedbackReceipt> m_receipt;
};

} // namespace tarn
