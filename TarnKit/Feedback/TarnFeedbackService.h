#pragma once

// The client of the maker's feedback site: the base address and its fall-backs, the localized web
// feedback page (what this program opens), the screenshot from the clipboard and the validated
// multipart submit (what a feedback form uses). The service keeps no state between calls; it only
// holds the ports it reaches the world through. The program configures the shared instance once
// at start-up, before any use; tests build their own.

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TarnKit/Feedback/ClipboardImageSource.h"
#include "TarnKit/Feedback/HttpTransport.h"
#include "TarnKit/Feedback/TarnFeedbackError.h"
#include "TarnKit/Feedback/TarnFeedbackKind.h"
#include "TarnKit/Feedback/TarnFeedbackReceipt.h"
#include "TarnKit/Feedback/TarnFeedbackScreenshot.h"
#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Foundation/Identity/BuildInfo.h"
#include "TarnKit/Foundation/Identity/Environment.h"
#include "TarnKit/Foundation/Identity/OperatingSystemInfo.h"
#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Foundation/Ports/DefaultsStore.h"
#include "TarnKit/Foundation/Ports/UrlOpener.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

// What a feedback form sends.
struct TarnFeedbackSubmission {
    std::string appName;
    TarnAppVersion version;
    TarnFeedbackKind kind = TarnFeedbackKind::general;
    std::string email;
    std::string senderName;
    std::string subject;
    std::string message;
    std::vector<TarnFeedbackScreenshot> screenshots;
    TarnLanguage language = TarnLanguage::en;
    std::optional<std::string> baseURL;
};

using TarnFeedbackField = std::pair<std::string, std::string>;

class TarnFeedbackService {
public:
    static constexpr std::string_view kDefaultBaseURL = "https://harrowfen.com";
    static constexpr std::string_view kBaseURLDefaultsKey = "com.harrowfen.feedbackBaseURL";
    static constexpr std::string_view kBaseURLEnvironmentVariable = "HARROWFEN_FEEDBACK_BASE_URL";
    static constexpr int kMaxScreenshots = 5;
    static constexpr std::size_t kMaxScreenshotBytes = 5 * 1024 * 1024;
    static constexpr std::chrono::seconds kRequestTimeout {25};

    struct Services {
        // Empty: the process environment.
        EnvironmentLookup environment;
        // None: the defaults key is passed over.
        std::shared_ptr<const DefaultsStore> defaults;
        // None: openInBrowser does nothing.
        std::shared_ptr<UrlOpener> opener;
        // None: every submit fails as a network failure.
        std::shared_ptr<HttpTransport> transport;
        // Empty: currentOSDescription().
        std::string osDescription;
    };

    explicit TarnFeedbackService(Services services);

    // The program's instance; until configureShared() it has only the process environment.
    static const TarnFeedbackService& shared();
    // Once at start-up, before any thread uses shared(): the instance is replaced, not locked.
    static void configureShared(Services services);

    // The override, $HARROWFEN_FEEDBACK_BASE_URL, the defaults key, then the built-in address:
    // the first that is not blank once trimmed, with every "/" removed from both ends.
    std::string resolvedBaseURL(std::optional<std::string_view> override) const;
    // Lower-cased, letters, marks and digits only (any script); may be empty.
    static std::string normalizedAppSlug(std::string_view appName);
    // The display name, then the process name, each trimmed; `fallback` as given when both are blank.
    static std::string resolvedCurrentAppName(
        const BuildInfo& info, const std::optional<std::string>& processName, const std::string& fallback);
    // "Linux 6.1.0 (x86_64)": the kernel's name and version and the machine.
    static std::string currentOSDescription();
    static std::string osDescription(const OperatingSystemInfo& info);
    const std::string& reportedOSDescription() const { return m_services.osDescription; }

    // base + "/<code>/feedback" ("/tr/geri-bildirim" in Turkish) with the query type, source, os,
    // app (when the slug is not empty) and version (when not empty); none when that is not an
    // http or https address.
    std::optional<std::string> webFeedbackURL(std::string_view appName, const TarnAppVersion& version,
        TarnFeedbackKind kind, TarnLanguage language, std::optional<std::string_view> baseURL) const;
    // Hands webFeedbackURL() to the desktop's browser; does nothing when there is none.
    void openInBrowser(std::string_view appName, const TarnAppVersion& version, TarnFeedbackKind kind,
        TarnLanguage language, std::optional<std::string_view> baseURL) const;

    // The clipboard's image as "clipboard-<seconds since 1970>.png", image/png, with a new id; an
    // image larger than kMaxScreenshotBytes is refused before it is read whole.
    static Result<TarnFeedbackScreenshot, ClipboardImageSource::Refusal> readScreenshotFromClipboard(
        const ClipboardImageSource& clipboard, WallTime now);

    // The multipart/form-data body: non-empty fields in order, then each screenshot, then the
    // closing boundary; every line ends with CR LF.
    static std::string buildMultipartBody(std::string_view boundary, const std::vector<TarnFeedbackField>& fields,
        const std::vector<TarnFeedbackScreenshot>& screenshots);

    // Validates, posts to <base>/api/v1/feedback and reads the answer. Blocks for the transfer
    // (at most 25 s): call it from a worker thread, never from the interface thread. Nothing is
    // sent when validation fails.
    Result<TarnFeedbackReceipt, TarnFeedbackError> submit(const TarnFeedbackSubmission& submission) const;

private:
    std::optional<TarnFeedbackError> validate(const TarnFeedbackSubmission& submission) const;
    std::vector<TarnFeedbackField> formFields(const TarnFeedbackSubmission& submission) const;

    Services m_services;
};

} // namespace tarn
