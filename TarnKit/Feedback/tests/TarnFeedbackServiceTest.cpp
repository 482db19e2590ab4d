#include "TarnKit/Feedback/TarnFeedbackService.h"

#include <map>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClipboardImageSource.h"
#include "Platform/Fake/Foundation/FakeDefaultsStore.h"
#include "Platform/Fake/Foundation/FakeHttpTransport.h"
#include "Platform/Fake/Foundation/RecordingUrlOpener.h"

namespace tarn {
namespace {

constexpr std::string_view kOs = "Linux 6.1.0 (x86_64)";

struct World {
    std::map<std::string, std::string, std::less<>> environment;
    std::shared_ptr<FakeDefaultsStore> defaults = std::make_shared<FakeDefaultsStore>();
    std::shared_ptr<RecordingUrlOpener> opener = std::make_shared<RecordingUrlOpener>();
    std::shared_ptr<FakeHttpTransport> transport = std::make_shared<FakeHttpTransport>();

    TarnFeedbackService service() const
    {
        return TarnFeedbackService({[env = environment](std::string_view name) -> std::optional<std::string> {
                                        const auto found = env.find(name);
                                        return found == env.end() ? std::nullopt : std::optional(found->second);
                                    },
            defaults, opener, transport, std::string(kOs)});
    }
};

TarnFeedbackSubmission validSubmission()
{
    TarnFeedbackSubmission submission;
    submission.appName = "TarnInput";
    submission.version = {"1.4.0", "57"};
    submission.kind = TarnFeedbackKind::bug;
    submission.email = "  ada@example.org ";
    submission.senderName = " Ada ";
    submission.subject = "Wheel stutters";
    submission.message = "  The wheel stutters in the browser.  ";
    submission.language = TarnLanguage::en;
    return submission;
}

TarnFeedbackScreenshot screenshotOfSize(std::size_t size)
{
    return {Uuid::random(), "shot.png", "image/png", std::vector<std::uint8_t>(size, 0x42)};
}

TEST(TarnFeedbackService, BaseAddressTakesTheFirstNonBlankCandidateWithoutSurroundingSlashes)
{
    struct Case {
        std::optional<std::string> override;
        std::optional<std::string> environment;
        std::optional<std::string> defaults;
        std::string expected;
    };
    const std::vector<Case> cases {
        {" https://fb.example/// ", "https://env.example", "https://defaults.example", "https://fb.example"},
        {"   ", "\thttps://env.example/\n", "https://defaults.example", "https://env.example"},
        {"   ", " ", "https://defaults.example/", "https://defaults.example"},
        {std::nullopt, std::nullopt, "  ", std::string(TarnFeedbackService::kDefaultBaseURL)},
        {"//local.example//", std::nullopt, std::nullopt, "local.example"},
    };
    for (const auto& c : cases) {
        World world;
        if (c.environment) {
            world.environment.emplace(TarnFeedbackService::kBaseURLEnvironmentVariable, *c.environment);
        }
        if (c.defaults) {
            ASSERT_TRUE(world.defaults->setValue(TarnFeedbackService::kBaseURLDefaultsKey, *c.defaults));
        }
        EXPECT_EQ(world.service().resolvedBaseURL(c.override), c.expected) << c.override.value_or("(none)");
    }
    // A defaults value that is not a string is passed over.
    World world;
    ASSERT_TRUE(world.defaults->setValue(TarnFeedbackService::kBaseURLDefaultsKey, 42));
    EXPECT_EQ(world.service().resolvedBaseURL(std::nullopt), TarnFeedbackService::kDefaultBaseURL);
}

TEST(TarnFeedbackService, SlugKeepsLettersMarksAndDigitsOfEveryScriptLowerCased)
{
    const std::vector<std::pair<std::string, std::string>> cases {
        {"TarnInput", "tarninput"},
        {"My App 2 Go!", "myapp2go"},
        {"İstanbul Çay", "i̇stanbulçay"},
        {"Ünïcödé—Ωmega", "ünïcödéωmega"},
        {"日本 アプリ", "日本アプリ"},
        {"!!! ... ???", ""},
        {"", ""},
    };
    for (const auto& [name, slug] : cases) {
        EXPECT_EQ(TarnFeedbackService::normalizedAppSlug(name), slug) << name;
    }
}

TEST(TarnFeedbackService, CurrentAppNameIsTheFirstNonBlankOfDisplayAndProcessName)
{
    BuildInfo info;
    info.displayName = " TarnInput ";
    EXPECT_EQ(TarnFeedbackService::resolvedCurrentAppName(info, "tarninput", "x"), "TarnInput");
    info.displayName = " ";
    EXPECT_EQ(TarnFeedbackService::resolvedCurrentAppName(info, "\ttarninput\n", "x"), "tarninput");
    EXPECT_EQ(TarnFeedbackService::resolvedCurrentAppName({}, std::nullopt, " Fallback "), " Fallback ");
}

TEST(TarnFeedbackService, OsDescriptionNamesTheKernelVersionAndMachine)
{
    OperatingSystemInfo info {"Linux", "6.1.0-13-amd64", "x86_64", "Debian GNU/Linux 12"};
    EXPECT_EQ(TarnFeedbackService::osDescription(info), "Linux 6.1.0 (x86_64)");
    info.kernelRelease = "6.8";
    info.machine = "aarch64";
    EXPECT_EQ(TarnFeedbackService::osDescription(info), "Linux 6.8.0 (aarch64)");
    EXPECT_TRUE(TarnFeedbackService::currentOSDescription().starts_with("Linux "));
}

TEST(TarnFeedbackService, WebPageIsLocalizedAndCarriesItsQueryInOrder)
{
    World world;
    const auto service = world.service();
    const TarnAppVersion version {"1.4.0", "57"};
    const std::string query
        = "?type=feature&source=desktop_app&os=Linux%206.1.0%20(x86_64)&app=tarninput&version=1.4.0";
    EXPECT_EQ(service.webFeedbackURL("TarnInput", version, TarnFeedbackKind::feature, TarnLanguage::en, std::nullopt),
        "https://harrowfen.com/en/feedback" + query);
    EXPECT_EQ(service.webFeedbackURL("TarnInput", version, TarnFeedbackKind::feature, TarnLanguage::tr, std::nullopt),
        "https://harrowfen.com/tr/geri-bildirim" + query);
    EXPECT_EQ(service.webFeedbackURL("TarnInput", version, TarnFeedbackKind::feature, TarnLanguage::ar, std::nullopt),
        "https://harrowfen.com/ar/feedback" + query);
    EXPECT_EQ(service.webFeedbackURL(
                  "TarnInput", version, TarnFeedbackKind::newApp, TarnLanguage::ptBR, " http://127.0.0.1:8080/ "),
        "http://127.0.0.1:8080/pt-BR/feedback?type=new_app&source=desktop_app&os=Linux%206.1.0%20(x86_64)"
        "&app=tarninput&version=1.4.0");
}

TEST(TarnFeedbackService, WebPageLeavesOutAnEmptySlugAndVersionAndEncodesValues)
{
    World world;
    const auto service = world.service();
    EXPECT_EQ(service.webFeedbackURL("?!", {"", "1"}, TarnFeedbackKind::bug, TarnLanguage::en, std::nullopt),
        "https://harrowfen.com/en/feedback?type=bug&source=desktop_app&os=Linux%206.1.0%20(x86_64)");
    // A version is sent as it is, encoded but not trimmed; a query the base carried is replaced.
    EXPECT_EQ(service.webFeedbackURL(
                  "Tarn", {" 2.0&x=1+", "1"}, TarnFeedbackKind::bug, TarnLanguage::en, "https://fb.example/?old=1"),
        "https://fb.example/?type=bug&source=desktop_app&os=Linux%206.1.0%20(x86_64)&app=tarn"
        "&version=%202.0%26x%3D1%2B");
}

TEST(TarnFeedbackService, WebPageIsNoneForAnAddressThatIsNotHttp)
{
    World world;
    const auto service = world.service();
    for (const std::string base : {"not a url", "ftp://files.example", "fb.example", "https://", "javascript:alert(1)",
             "https://exa mple.com", "https://bad%zz.example"}) {
        EXPECT_EQ(service.webFeedbackURL("TarnInput", {"1.0.0", "1"}, TarnFeedbackKind::bug, TarnLanguage::en, base),
            std::nullopt)
            << base;
    }
}

TEST(TarnFeedbackService, OpenInBrowserHandsThePageToTheOpenerOrDoesNothing)
{
    World world;
    const auto service = world.service();
    service.openInBrowser("TarnInput", {"1.0.0", "1"}, TarnFeedbackKind::general, TarnLanguage::tr, std::nullopt);
    service.openInBrowser("TarnInput", {"1.0.0", "1"}, TarnFeedbackKind::general, TarnLanguage::tr, "ftp://x");
    ASSERT_EQ(world.opener->opened().size(), 1U);
    EXPECT_TRUE(world.opener->opened()[0].starts_with("https://harrowfen.com/tr/geri-bildirim?type=general&"));
}

TEST(TarnFeedbackService, MultipartBodyIsByteExact)
{
    const std::vector<TarnFeedbackField> fields {{"type", "bug"}, {"program_slug", ""}, {"message", " two\r\nlines "}};
    const std::vector<TarnFeedbackScreenshot> screenshots {
        {Uuid::random(), "a\"b\r\nc.png", "image/png\r\nX-Injected: 1", {0x89, 'P', 0x00, '\r', '\n'}},
        {Uuid::random(), "d.jpg", "image/jpeg", {}},
    };
    const std::string expected = "--B\r\n"
                                 "Content-Disposition: form-data; name=\"type\"\r\n\r\n"
                                 "bug\r\n"
                                 "--B\r\n"
                                 "Content-Disposition: form-data; name=\"message\"\r\n\r\n"
                                 " two\r\nlines \r\n"
                                 "--B\r\n"
                                 "Content-Disposition: form-data; name=\"screenshots[]\"; filename=\"abc.png\"\r\n"
                                 "Content-Type: image/pngX-Injected: 1\r\n\r\n"
        + std::string("\x89P\0\r\n", 5)
        + "\r\n"
          "--B\r\n"
          "Content-Disposition: form-data; name=\"screenshots[]\"; filename=\"d.jpg\"\r\n"
          "Content-Type: image/jpeg\r\n\r\n"
          "\r\n"
          "--B--\r\n";
    EXPECT_EQ(TarnFeedbackService::buildMultipartBody("B", fields, screenshots), expected);
    EXPECT_EQ(TarnFeedbackService::buildMultipartBody("B", {}, {}), "--B--\r\n");
}

TEST(TarnFeedbackService, ValidationRunsInOrderAndSendsNothingOnFailure)
{
    using Kind = TarnFeedbackError::Kind;
    struct Case {
        std::string name;
        std::function<void(TarnFeedbackSubmission&)> change;
        std::optional<Kind> expected;
    };
    const std::vector<Case> cases {
        {"valid", [](auto&) {}, std::nullopt},
        {"5-character e-mail", [](auto& s) { s.email = " a@b.c "; }, std::nullopt},
        {"4-character e-mail", [](auto& s) { s.email = "a@.c"; }, Kind::invalidEmail},
        {"no @", [](auto& s) { s.email = "ada.example.org"; }, Kind::invalidEmail},
        {"no dot", [](auto& s) { s.email = "ada@example"; }, Kind::invalidEmail},
        {"bad e-mail and short message",
            [](auto& s) {
                s.email = "x";
                s.message = "short";
            },
            Kind::invalidEmail},
        {"10 characters after trimming", [](auto& s) { s.message = "   0123456789\n"; }, std::nullopt},
        {"9 characters", [](auto& s) { s.message = " 012345678 "; }, Kind::messageTooShort},
        {"10 letters of 14 bytes", [](auto& s) { s.message = "çğıöşüÇĞİÖ"; }, std::nullopt},
        {"9 user-perceived characters, 10 scalars", [](auto& s) { s.message = "e\u0301abcdefgh"; },
            Kind::messageTooShort},
        {"six screenshots, one too large",
            [](auto& s) {
                s.screenshots.assign(6, screenshotOfSize(1));
                s.screenshots[0] = screenshotOfSize(TarnFeedbackService::kMaxScreenshotBytes + 1);
            },
            Kind::tooManyScreenshots},
        {"exactly 5 MiB", [](auto& s) { s.screenshots = {screenshotOfSize(5 * 1024 * 1024)}; }, std::nullopt},
        {"one byte over 5 MiB",
            [](auto& s) {
                s.screenshots = {screenshotOfSize(1), screenshotOfSize(5 * 1024 * 1024 + 1)};
            },
            Kind::screenshotTooLarge},
        {"endpoint not http", [](auto& s) { s.baseURL = "ftp://fb.example"; }, Kind::invalidEndpoint},
        {"endpoint with a space", [](auto& s) { s.baseURL = "https://fb example"; }, Kind::invalidEndpoint},
    };
    for (const auto& c : cases) {
        World world;
        auto submission = validSubmission();
        c.change(submission);
        const auto result = world.service().submit(submission);
        if (!c.expected) {
            EXPECT_TRUE(result.hasValue()) << c.name << ": " << result.error().description(TarnLanguage::en);
            EXPECT_EQ(world.transport->requests().size(), 1U) << c.name;
            continue;
        }
        ASSERT_FALSE(result.hasValue()) << c.name;
        EXPECT_EQ(result.error().kind(), *c.expected) << c.name;
        EXPECT_TRUE(world.transport->requests().empty()) << c.name;
    }
}

TEST(TarnFeedbackService, SubmitPostsTheElevenFieldsWithItsHeaders)
{
    World world;
    world.environment.emplace(TarnFeedbackService::kBaseURLEnvironmentVariable, "https://env.example/");
    auto submission = validSubmission();
    submission.subject = " ab ";
    submission.senderName = "  ";
    submission.language = TarnLanguage::tr;
    submission.screenshots = {screenshotOfSize(3)};
    ASSERT_TRUE(world.service().submit(submission).hasValue());

    ASSERT_EQ(world.transport->requests().size(), 1U);
    const HttpRequest& request = world.transport->requests()[0];
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.url, "https://env.example/api/v1/feedback");
    EXPECT_EQ(request.timeout, std::chrono::seconds(25));
    ASSERT_EQ(request.headers.size(), 3U);
    const std::string contentType = request.headers[0].second;
    ASSERT_TRUE(contentType.starts_with("multipart/form-data; boundary=TarnFeedback-"));
    const std::string boundary = contentType.substr(contentType.find('=') + 1);
    ASSERT_TRUE(Uuid::parse(boundary.substr(std::string_view("TarnFeedback-").size())));
    EXPECT_EQ(boundary.substr(13), Uuid::parse(boundary.substr(13))->toString()) << "upper-case UUID";
    EXPECT_EQ(request.headers[1], (std::pair<std::string, std::string> {"Accept", "application/json"}));
    EXPECT_EQ(request.headers[2], (std::pair<std::string, std::string> {"User-Agent", "Harrowfen/TarnInput TarnKit"}));

    const std::vector<TarnFeedbackField> fields {{"type", "bug"}, {"program_slug", "tarninput"},
        {"program_name", "TarnInput"}, {"email", "ada@example.org"}, {"sender_name", ""},
        {"subject", "TarnInput — Hata Bildirimi"}, {"message", "The wheel stutters in the browser."},
        {"app_version", "1.4.0"}, {"os_info", std::string(kOs)}, {"locale", "tr"}, {"source", "desktop_app"}};
    EXPECT_EQ(request.body, TarnFeedbackService::buildMultipartBody(boundary, fields, submission.screenshots));
}

TEST(TarnFeedbackService, SubmitSendsNewAppAsTheSlugAndLeavesOutEmptyFields)
{
    World world;
    auto submission = validSubmission();
    submission.kind = TarnFeedbackKind::newApp;
    submission.subject = "abc";
    submission.version.shortVersion = "";
    ASSERT_TRUE(world.service().submit(submission).hasValue());
    const std::string& body = world.transport->requests().at(0).body;
    EXPECT_NE(body.find("name=\"program_slug\"\r\n\r\nnew_app\r\n"), std::string::npos);
    EXPECT_NE(body.find("name=\"subject\"\r\n\r\nabc\r\n"), std::string::npos);
    EXPECT_EQ(body.find("app_version"), std::string::npos);

    World punctuation;
    submission.kind = TarnFeedbackKind::bug;
    submission.appName = "!?";
    ASSERT_TRUE(punctuation.service().submit(submission).hasValue());
    EXPECT_EQ(punctuation.transport->requests().at(0).body.find("program_slug"), std::string::npos);
}

TEST(TarnFeedbackService, AnswersBecomeReceiptsOrErrors)
{
    struct Case {
        std::string name;
        std::optional<int> status; // none: no answer at all
        std::string body;
        std::optional<TarnFeedbackReceipt> receipt;
        std::optional<TarnFeedbackError> error;
    };
    const std::string thanks = "Thank you! Your feedback has been received.";
    const std::vector<Case> cases {
        {"2xx with an empty object", 200, "{}", TarnFeedbackReceipt {"TARN-FB-OK", 2, thanks}, std::nullopt},
        {"2xx with every field", 201, R"({"reference_code":"FB-9","attachments_count":7,"message":"Got it"})",
            TarnFeedbackReceipt {"FB-9", 7, "Got it"}, std::nullopt},
        {"2xx with fields of the wrong type", 299, R"({"reference_code":5,"attachments_count":"7","message":null})",
            TarnFeedbackReceipt {"TARN-FB-OK", 2, thanks}, std::nullopt},
        {"2xx with a fractional count", 200, R"({"attachments_count":1.5})",
            TarnFeedbackReceipt {"TARN-FB-OK", 2, thanks}, std::nullopt},
        {"2xx not JSON", 204, "", TarnFeedbackReceipt {"TARN-FB-OK", 2, thanks}, std::nullopt},
        {"2xx an array", 200, "[1]", TarnFeedbackReceipt {"TARN-FB-OK", 2, thanks}, std::nullopt},
        {"2xx nested beyond reason", 200, std::string(500'000, '[') + std::string(500'000, ']'),
            TarnFeedbackReceipt {"TARN-FB-OK", 2, thanks}, std::nullopt},
        {"500 nested beyond reason", 500,
            "{\"message\":" + std::string(100'000, '[') + "1" + std::string(100'000, ']') + "}", std::nullopt,
            TarnFeedbackError::serverRejected("HTTP 500")},
        {"500 with a message", 500, R"({"message":"Spam filter"})", std::nullopt,
            TarnFeedbackError::serverRejected("Spam filter")},
        {"500 with an empty message", 500, R"({"message":""})", std::nullopt,
            TarnFeedbackError::serverRejected("HTTP 500")},
        {"500 not JSON", 500, "<html>", std::nullopt, TarnFeedbackError::serverRejected("HTTP 500")},
        {"422", 422, "", std::nullopt, TarnFeedbackError::serverRejected("HTTP 422")},
        {"301 is not followed", 301, "", std::nullopt, TarnFeedbackError::serverRejected("HTTP 301")},
        {"not HTTP", 0, "", std::nullopt, TarnFeedbackError::networkFailure("Invalid HTTP response", "feedback.test")},
        {"no answer", std::nullopt, "", std::nullopt,
            TarnFeedbackError::networkFailure("Connection refused", "feedback.test")},
    };
    for (const auto& c : cases) {
        World world;
        if (c.status) {
            world.transport->answer(*c.status, c.body);
        } else {
            world.transport->failWith("Connection refused");
        }
        auto submission = validSubmission();
        submission.baseURL = "https://feedback.test:8443";
        submission.screenshots = {screenshotOfSize(1), screenshotOfSize(2)};
        const auto result = world.service().submit(submission);
        if (c.receipt) {
            ASSERT_TRUE(result.hasValue()) << c.name;
            EXPECT_EQ(result.value(), *c.receipt) << c.name;
        } else {
            ASSERT_FALSE(result.hasValue()) << c.name;
            EXPECT_EQ(result.error(), *c.error) << c.name;
        }
    }
}

TEST(TarnFeedbackService, ThankYouFollowsTheRequestLanguage)
{
    World world;
    auto submission = validSubmission();
    submission.language = TarnLanguage::tr;
    EXPECT_EQ(world.service().submit(submission).value().message, "Teşekkürler! Geri bildiriminiz bize ulaştı.");
}

TEST(TarnFeedbackService, ErrorsDescribeThemselvesInBothLanguages)
{
    struct Case {
        TarnFeedbackError error;
        std::string en;
        std::string tr;
    };
    const std::vector<Case> cases {
        {TarnFeedbackError::tooManyScreenshots(5), "You can attach up to 5 screenshots.",
            "En fazla 5 ekran görüntüsü ekleyebilirsiniz."},
        {TarnFeedbackError::screenshotTooLarge(5), "Each screenshot must be smaller than 5 MB.",
            "Her ekran görüntüsü en fazla 5 MB olabilir."},
        {TarnFeedbackError::serverRejected("Nope"), "Nope", "Nope"},
        {TarnFeedbackError::networkFailure("timed out", "fb.example"),
            "Could not reach fb.example (timed out). You can open the feedback page in your browser instead.",
            "fb.example adresine ulaşılamadı (timed out). Dilerseniz tarayıcıdan göndermeyi deneyebilirsiniz."},
        {TarnFeedbackError::invalidEndpoint(), "Feedback server address could not be resolved.",
            "Geri bildirim sunucu adresi çözümlenemedi."},
        {TarnFeedbackError::invalidEmail(), "Please enter a valid email address.",
            "Lütfen geçerli bir e-posta adresi girin."},
        {TarnFeedbackError::messageTooShort(), "Please write a bit more detail (at least 10 characters).",
            "Lütfen en az 10 karakterlik kısa bir açıklama yazın."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.error.description(TarnLanguage::en), c.en);
        EXPECT_EQ(c.error.description(TarnLanguage::tr), c.tr);
    }
}

TEST(TarnFeedbackService, NetworkFailureNamesTheHostActuallyContacted)
{
    World world;
    world.transport->failWith("timed out");
    const auto defaultSite = world.service().submit(validSubmission());
    EXPECT_EQ(defaultSite.error().host(), "harrowfen.com");
    auto submission = validSubmission();
    submission.baseURL = "http://user@[::1]:9000/";
    EXPECT_EQ(world.service().submit(submission).error().host(), "[::1]");
}

TEST(TarnFeedbackService, ScreenshotFromTheClipboardIsAStampedPng)
{
    FakeClipboardImageSource clipboard;
    const WallTime now {std::chrono::milliseconds(1'765'000'000'999)};
    using Refusal = ClipboardImageSource::Refusal;
    EXPECT_EQ(TarnFeedbackService::readScreenshotFromClipboard(clipboard, now).error(), Refusal::noImage);
    clipboard.setPng(std::vector<std::uint8_t> {});
    EXPECT_EQ(TarnFeedbackService::readScreenshotFromClipboard(clipboard, now).error(), Refusal::noImage);
    // The service's own limit bounds what the clipboard may hand over.
    clipboard.setPng(std::vector<std::uint8_t>(TarnFeedbackService::kMaxScreenshotBytes + 1, 1));
    EXPECT_EQ(TarnFeedbackService::readScreenshotFromClipboard(clipboard, now).error(), Refusal::tooLarge);
    clipboard.setPng(std::vector<std::uint8_t>(TarnFeedbackService::kMaxScreenshotBytes, 1));
    EXPECT_TRUE(TarnFeedbackService::readScreenshotFromClipboard(clipboard, now));
    clipboard.setPng(std::vector<std::uint8_t> {1, 2, 3});
    const auto first = TarnFeedbackService::readScreenshotFromClipboard(clipboard, now);
    const auto second = TarnFeedbackService::readScreenshotFromClipboard(clipboard, now);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->filename, "clipboard-1765000000.png");
    EXPECT_EQ(first->mimeType, "image/png");
    EXPECT_EQ(first->data, (std::vector<std::uint8_t> {1, 2, 3}));
    EXPECT_NE(first->id, second->id);
    EXPECT_EQ(first->formattedSize(), "3 B");
}

TEST(TarnFeedbackKind, RawValuesSymbolsAndTitles)
{
    struct Row {
        TarnFeedbackKind kind;
        std::string raw;
        std::string symbol;
        std::string en;
        std::string tr;
    };
    const std::vector<Row> rows {
        {TarnFeedbackKind::bug, "bug", "ladybug.fill", "Bug Report", "Hata Bildirimi"},
        {TarnFeedbackKind::feature, "feature", "sparkles", "Feature & Improvement", "Özellik & İyileştirme"},
        {TarnFeedbackKind::newApp, "new_app", "lightbulb.fill", "New App Idea", "Yeni Program Fikri"},
        {TarnFeedbackKind::general, "general", "bubble.left.and.bubble.right.fill", "General Feedback", "Genel Görüş"},
    };
    ASSERT_EQ(rows.size(), kAllTarnFeedbackKinds.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(kAllTarnFeedbackKinds[i], rows[i].kind);
        EXPECT_EQ(rawValue(rows[i].kind), rows[i].raw);
        EXPECT_EQ(tarnFeedbackKindFromRawValue(rows[i].raw), rows[i].kind);
        EXPECT_EQ(symbolName(rows[i].kind), rows[i].symbol);
        EXPECT_EQ(title(rows[i].kind, TarnLanguage::en), rows[i].en);
        EXPECT_EQ(title(rows[i].kind, TarnLanguage::tr), rows[i].tr);
    }
    EXPECT_EQ(tarnFeedbackKindFromRawValue("Bug"), std::nullopt);
    EXPECT_EQ(tarnFeedbackKindFromRawValue("newApp"), std::nullopt);
}

} // namespace
} // namespace tarn
