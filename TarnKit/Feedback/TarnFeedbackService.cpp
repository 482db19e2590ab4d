#include "TarnKit/Feedback/TarnFeedbackService.h"

#include <algorithm>
#include <cstdint>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "TarnKit/Feedback/HttpUrl.h"
#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn {
namespace {

constexpr std::string_view kSource = "desktop_app";
constexpr std::string_view kCrLf = "\r\n";

// Query values keep unreserved characters and the delimiters that mean nothing inside a value;
// "&", "=", "+", "#" and everything else are percent-encoded byte by byte.
std::string percentEncodedQueryValue(std::string_view value)
{
    constexpr std::string_view kKept = "!$'()*,;:@/?";
    std::string encoded;
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (HttpUrl::isUnreserved(c) || kKept.find(ch) != std::string_view::npos) {
            encoded += ch;
        } else {
            encoded += fmt::format("%{:02X}", c);
        }
    }
    return encoded;
}

// Replaces the query of `url` (keeping its fragment) with the given items.
std::string withQuery(std::string_view url, const std::vector<TarnFeedbackField>& items)
{
    const auto fragmentStart = url.find('#');
    const std::string_view fragment = fragmentStart == std::string_view::npos ? "" : url.substr(fragmentStart);
    const std::string_view beforeFragment = url.substr(0, fragmentStart);
    std::string result(beforeFragment.substr(0, beforeFragment.find('?')));
    char separator = '?';
    for (const auto& [name, value] : items) {
        result += separator;
        result += name;
        result += '=';
        result += percentEncodedQueryValue(value);
        separator = '&';
    }
    result += fragment;
    return result;
}

std::string withoutCharacters(std::string_view text, std::string_view removed)
{
    std::string result;
    for (const char c : text) {
        if (removed.find(c) == std::string_view::npos) {
            result += c;
        }
    }
    return result;
}

std::string trimmedOfSlashes(std::string_view text)
{
    const auto begin = text.find_first_not_of('/');
    if (begin == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(begin, text.find_last_not_of('/') - begin + 1));
}

TarnFeedbackReceipt receiptFrom(std::string_view body, std::int64_t screenshotsSent, TarnLanguage language)
{
    TarnFeedbackReceipt receipt {"TARN-FB-OK", screenshotsSent,
        tarnText(
            "Thank you! Your feedback has been received.", "Teşekkürler! Geri bildiriminiz bize ulaştı.", language)};
    // The server's answer is read as warily as a file: bounded depth and size.
    const auto parsed = StrictJson::parse(body);
    if (!parsed || !parsed->is_object()) {
        return receipt;
    }
    const auto& json = *parsed;
    if (const auto code = json.find("reference_code"); code != json.end() && code->is_string()) {
        receipt.referenceCode = code->get<std::string>();
    }
    if (const auto count = json.find("attachments_count"); count != json.end()) {
        if (const auto attachments = StrictJson::integer<std::int64_t>(*count)) {
            receipt.attachmentsCount = *attachments;
        }
    }
    if (const auto message = json.find("message"); message != json.end() && message->is_string()) {
        receipt.message = message->get<std::string>();
    }
    return receipt;
}

std::string rejectionText(int status, std::string_view body)
{
    const auto json = StrictJson::parse(body);
    if (json && json->is_object()) {
        if (const auto message = json->find("message");
            message != json->end() && message->is_string() && !message->get<std::string>().empty()) {
            return message->get<std::string>();
        }
    }
    return fmt::format("HTTP {}", status);
}

TarnFeedbackService& sharedInstance()
{
    static TarnFeedbackService service {TarnFeedbackService::Services {}};
    return service;
}

} // namespace

TarnFeedbackService::TarnFeedbackService(Services services)
    : m_services(std::move(services))
{
    if (!m_services.environment) {
        m_services.environment = processEnvironment;
    }
    if (m_services.osDescription.empty()) {
        m_services.osDescription = currentOSDescription();
    }
}

const TarnFeedbackService& TarnFeedbackService::shared()
{
    return sharedInstance();
}

void TarnFeedbackService::configureShared(Services services)
{
    sharedInstance() = TarnFeedbackService(std::move(services));
}

std::string TarnFeedbackService::resolvedBaseURL(std::optional<std::string_view> override) const
{
    std::vector<std::optional<std::string>> candidates;
    if (override) {
        candidates.emplace_back(std::string(*override));
    }
    candidates.push_back(m_services.environment(kBaseURLEnvironmentVariable));
    if (m_services.defaults) {
        candidates.push_back(m_services.defaults->stringValue(kBaseURLDefaultsKey));
    }
    for (const auto& candidate : candidates) {
        if (!candidate) {
            continue;
        }
        const std::string trimmed = UnicodeText::trimmed(*candidate);
        if (!trimmed.empty()) {
            return trimmedOfSlashes(trimmed);
        }
    }
    return std::string(kDefaultBaseURL);
}

std::string TarnFeedbackService::normalizedAppSlug(std::string_view appName)
{
    std::u32string kept;
    for (const char32_t scalar : UnicodeText::toScalars(UnicodeText::lowercased(appName))) {
        if (UnicodeText::isAlphanumeric(scalar)) {
            kept += scalar;
        }
    }
    return UnicodeText::fromScalars(kept);
}

std::string TarnFeedbackService::resolvedCurrentAppName(
    const BuildInfo& info, const std::optional<std::string>& processName, const std::string& fallback)
{
    for (const auto& candidate : {info.displayName, processName}) {
        if (candidate) {
            std::string trimmed = UnicodeText::trimmed(*candidate);
            if (!trimmed.empty()) {
                return trimmed;
            }
        }
    }
    return fallback;
}

std::string TarnFeedbackService::currentOSDescription()
{
    return osDescription(OperatingSystemInfo::current(std::filesystem::path {}));
}

std::string TarnFeedbackService::osDescription(const OperatingSystemInfo& info)
{
    const std::string name = info.kernelName.empty() ? std::string("Linux") : info.kernelName;
    if (info.machine.empty()) {
        return name + " " + info.kernelVersion();
    }
    return name + " " + info.kernelVersion() + " (" + info.machine + ")";
}

std::optional<std::string> TarnFeedbackService::webFeedbackURL(std::string_view appName, const TarnAppVersion& version,
    TarnFeedbackKind kind, TarnLanguage language, std::optional<std::string_view> baseURL) const
{
    const std::string path = language == TarnLanguage::tr ? std::string("/tr/geri-bildirim")
                                                          : "/" + std::string(rawValue(language)) + "/feedback";
    const std::string page = resolvedBaseURL(baseURL) + path;
    if (!HttpUrl::host(page)) {
        return std::nullopt;
    }
    std::vector<TarnFeedbackField> items {
        {"type", std::string(rawValue(kind))},
        {"source", std::string(kSource)},
        {"os", m_services.osDescription},
    };
    if (std::string slug = normalizedAppSlug(appName); !slug.empty()) {
        items.emplace_back("app", std::move(slug));
    }
    if (!version.shortVersion.empty()) {
        items.emplace_back("version", version.shortVersion);
    }
    return withQuery(page, items);
}

void TarnFeedbackService::openInBrowser(std::string_view appName, const TarnAppVersion& version, TarnFeedbackKind kind,
    TarnLanguage language, std::optional<std::string_view> baseURL) const
{
    const auto url = webFeedbackURL(appName, version, kind, language, baseURL);
    if (url && m_services.opener) {
        // Whether the browser showed the page is not ours to know; a press never reports.
        (void)m_services.opener->open(*url);
    }
}

Result<TarnFeedbackScreenshot, ClipboardImageSource::Refusal> TarnFeedbackService::readScreenshotFromClipboard(
    const ClipboardImageSource& clipboard, WallTime now)
{
    auto png = clipboard.pngImage(kMaxScreenshotBytes);
    if (!png) {
        return fail(png.error());
    }
    if (png->empty()) {
        return fail(ClipboardImageSource::Refusal::noImage);
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    return TarnFeedbackScreenshot {
        Uuid::random(), fmt::format("clipboard-{}.png", seconds), "image/png", std::move(png).value()};
}

std::string TarnFeedbackService::buildMultipartBody(std::string_view boundary,
    const std::vector<TarnFeedbackField>& fields, const std::vector<TarnFeedbackScreenshot>& screenshots)
{
    std::string body;
    for (const auto& [name, value] : fields) {
        if (value.empty()) {
            continue;
        }
        body += fmt::format("--{}{}Content-Disposition: form-data; name=\"{}\"{}{}{}{}", boundary, kCrLf, name, kCrLf,
            kCrLf, value, kCrLf);
    }
    for (const auto& screenshot : screenshots) {
        // A name or a type that carries a quote or a line break would end the header early and
        // let the rest of it be read as headers of its own.
        const std::string filename = withoutCharacters(screenshot.filename, "\"\r\n");
        const std::string mimeType = withoutCharacters(screenshot.mimeType, "\r\n");
        body += fmt::format("--{}{}Content-Disposition: form-data; name=\"screenshots[]\"; filename=\"{}\"{}", boundary,
            kCrLf, filename, kCrLf);
        body += fmt::format("Content-Type: {}{}{}", mimeType, kCrLf, kCrLf);
        body.append(screenshot.data.begin(), screenshot.data.end());
        body += kCrLf;
    }
    body += fmt::format("--{}--{}", boundary, kCrLf);
    return body;
}

std::optional<TarnFeedbackError> TarnFeedbackService::validate(const TarnFeedbackSubmission& submission) const
{
    const std::string email = UnicodeText::trimmed(submission.email);
    if (email.find('@') == std::string::npos || email.find('.') == std::string::npos
        || UnicodeText::graphemeCount(email) <= 4) {
        return TarnFeedbackError::invalidEmail();
    }
    if (UnicodeText::graphemeCount(UnicodeText::trimmed(submission.message)) <= 9) {
        return TarnFeedbackError::messageTooShort();
    }
    if (submission.screenshots.size() > static_cast<std::size_t>(kMaxScreenshots)) {
        return TarnFeedbackError::tooManyScreenshots(kMaxScreenshots);
    }
    for (const auto& screenshot : submission.screenshots) {
        if (screenshot.data.size() > kMaxScreenshotBytes) {
            return TarnFeedbackError::screenshotTooLarge(static_cast<int>(kMaxScreenshotBytes / (1024 * 1024)));
        }
    }
    if (!HttpUrl::host(resolvedBaseURL(submission.baseURL) + "/api/v1/feedback")) {
        return TarnFeedbackError::invalidEndpoint();
    }
    return std::nullopt;
}

std::vector<TarnFeedbackField> TarnFeedbackService::formFields(const TarnFeedbackSubmission& submission) const
{
    std::string subject = UnicodeText::trimmed(submission.subject);
    if (UnicodeText::graphemeCount(subject) < 3) {
        subject = submission.appName + " — " + title(submission.kind, submission.language);
    }
    return {
        {"type", std::string(rawValue(submission.kind))},
        {"program_slug",
            submission.kind == TarnFeedbackKind::newApp ? std::string("new_app")
                                                        : normalizedAppSlug(submission.appName)},
        {"program_name", submission.appName},
        {"email", UnicodeText::trimmed(submission.email)},
        {"sender_name", UnicodeText::trimmed(submission.senderName)},
        {"subject", subject},
        {"message", UnicodeText::trimmed(submission.message)},
        {"app_version", submission.version.shortVersion},
        {"os_info", m_services.osDescription},
        {"locale", std::string(rawValue(submission.language))},
        {"source", std::string(kSource)},
    };
}

Result<TarnFeedbackReceipt, TarnFeedbackError> TarnFeedbackService::submit(
    const TarnFeedbackSubmission& submission) const
{
    if (auto invalid = validate(submission)) {
        return fail(std::move(*invalid));
    }
    const std::string endpoint = resolvedBaseURL(submission.baseURL) + "/api/v1/feedback";
    // The failure text names the host this report was sent to, which an override may have changed.
    const std::string host = HttpUrl::host(endpoint).value_or(std::string {});

    const std::string boundary = "TarnFeedback-" + Uuid::random().toString();
    HttpRequest request;
    request.method = "POST";
    request.url = endpoint;
    request.timeout = kRequestTimeout;
    request.headers = {
        {"Content-Type", "multipart/form-data; boundary=" + boundary},
        {"Accept", "application/json"},
        {"User-Agent", "Harrowfen/" + withoutCharacters(submission.appName, "\r\n") + " TarnKit"},
    };
    request.body = buildMultipartBody(boundary, formFields(submission), submission.screenshots);

    if (!m_services.transport) {
        return fail(TarnFeedbackError::networkFailure("no HTTP client", host));
    }
    auto answer = m_services.transport->send(request);
    if (!answer) {
        return fail(TarnFeedbackError::networkFailure(answer.error(), host));
    }
    const HttpResponse& response = answer.value();
    if (response.status < 100 || response.status > 599) {
        return fail(TarnFeedbackError::networkFailure("Invalid HTTP response", host));
    }
    if (response.status >= 200 && response.status <= 299) {
        return receiptFrom(
            response.body, static_cast<std::int64_t>(submission.screenshots.size()), submission.language);
    }
    return fail(TarnFeedbackError::serverRejected(rejectionText(response.status, response.body)));
}

} // namespace tarn
