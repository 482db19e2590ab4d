#include "Platform/Linux/Services/CurlHttpTransport.h"

#include <gtest/gtest.h>

#include "Platform/Linux/tests/LoopbackHttpServer.h"
#include "TarnKit/Feedback/TarnFeedbackService.h"

namespace tarn {
namespace {

TEST(CurlHttpTransport, SubmitsFeedbackToALoopbackServer)
{
    LoopbackHttpServer server(
        LoopbackHttpServer::answer("HTTP/1.1 201 Created", R"({"reference_code":"FB-42","attachments_count":1})"));
    ASSERT_NE(server.port(), 0);
    const TarnFeedbackService service({[](std::string_view) { return std::optional<std::string> {}; }, nullptr, nullptr,
        std::make_shared<CurlHttpTransport>(), "Linux 6.1.0 (x86_64)"});

    TarnFeedbackSubmission submission;
    submission.appName = "TarnInput";
    submission.version = {"1.0.0", "100"};
    submission.kind = TarnFeedbackKind::bug;
    submission.email = "ada@example.org";
    submission.subject = "Wheel";
    submission.message = "The wheel stutters.";
    submission.screenshots = {{Uuid::random(), "s.png", "image/png", {0x89, 'P', 'N', 'G', 0, '\r', '\n'}}};
    submission.baseURL = "http://127.0.0.1:" + std::to_string(server.port());
    const auto result = service.submit(submission);
    ASSERT_TRUE(result.hasValue()) << result.error().description(TarnLanguage::en);
    EXPECT_EQ(result.value(), (TarnFeedbackReceipt {"FB-42", 1, "Thank you! Your feedback has been received."}));

    const std::string request = server.request();
    EXPECT_TRUE(request.starts_with("POST /api/v1/feedback HTTP/1.1\r\n")) << request.substr(0, 80);
    const auto headerEnd = request.find("\r\n\r\n");
    ASSERT_NE(headerEnd, std::string::npos);
    const std::string headers = request.substr(0, headerEnd + 2);
    const std::string body = request.substr(headerEnd + 4);
    const auto boundaryAt = headers.find("Content-Type: multipart/form-data; boundary=TarnFeedback-");
    ASSERT_NE(boundaryAt, std::string::npos) << headers;
    const std::string boundary = headers.substr(boundaryAt + 44, 13 + 36);
    EXPECT_NE(headers.find("\r\nAccept: application/json\r\n"), std::string::npos) << headers;
    EXPECT_NE(headers.find("\r\nUser-Agent: Harrowfen/TarnInput TarnKit\r\n"), std::string::npos) << headers;
    EXPECT_NE(headers.find("\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"), std::string::npos);
    EXPECT_EQ(headers.find("Expect:"), std::string::npos) << headers;
    EXPECT_NE(headers.find("\r\nContent-Length: " + std::to_string(body.size()) + "\r\n"), std::string::npos);
    EXPECT_TRUE(body.starts_with("--" + boundary + "\r\nContent-Disposition: form-data; name=\"type\"\r\n\r\nbug\r\n"));
    EXPECT_NE(body.find(std::string("Content-Type: image/png\r\n\r\n\x89PNG\0\r\n\r\n", 34)), std::string::npos);
    EXPECT_TRUE(body.ends_with("\r\n--" + boundary + "--\r\n"));
}

TEST(CurlHttpTransport, RedirectsAreAnsweredNotFollowed)
{
    LoopbackHttpServer server(
        LoopbackHttpServer::answer("HTTP/1.1 302 Found", "", "Location: http://127.0.0.1:9/elsewhere\r\n"));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = transport.send({"POST", server.url("/api"), {}, "x", std::chrono::seconds(5), {}});
    ASSERT_TRUE(result.hasValue()) << result.error();
    EXPECT_EQ(result.value().status, 302);
}

TEST(CurlHttpTransport, AnOverlongAnswerFailsTheRequest)
{
    LoopbackHttpServer server(
        LoopbackHttpServer::answer("HTTP/1.1 200 OK", std::string(CurlHttpTransport::kMaxResponseBytes + 1, 'x')));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = transport.send({"GET", server.url("/"), {}, "", std::chrono::seconds(5), {}});
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error(), "the answer was too large");
}

TEST(CurlHttpTransport, AnOverlongErrorAnswerKeepsItsStatusAndItsStart)
{
    const std::string body = "not found" + std::string(CurlHttpTransport::kMaxResponseBytes, 'x');
    LoopbackHttpServer server(LoopbackHttpServer::answer("HTTP/1.1 404 Not Found", body));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = transport.send({"GET", server.url("/"), {}, "", std::chrono::seconds(5), {}});
    ASSERT_TRUE(result.hasValue()) << result.error();
    EXPECT_EQ(result.value().status, 404);
    EXPECT_EQ(result.value().body, body.substr(0, CurlHttpTransport::kMaxResponseBytes));
}

TEST(CurlHttpTransport, HeadersPastTheLimitFailTheRequestWithTheirStatus)
{
    // Many lines, each short enough for curl: the limit is ours, on all of them together.
    std::string headers;
    for (std::size_t line = 0; headers.size() <= CurlHttpTransport::kMaxHeaderBytes; ++line) {
        headers += "X-Padding-" + std::to_string(line) + ": " + std::string(100, 'a') + "\r\n";
    }
    LoopbackHttpServer server(LoopbackHttpServer::answer("HTTP/1.1 503 Service Unavailable", "{}", headers));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = transport.send({"GET", server.url("/"), {}, "", std::chrono::seconds(5), {}});
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error(), "the answer's headers were too large (HTTP 503)");
}

TEST(CurlHttpTransport, SpeaksOnlyHttpAndHttps)
{
    CurlHttpTransport transport;
    for (const std::string url : {"file:///etc/hostname", "ftp://127.0.0.1/", "gopher://127.0.0.1/"}) {
        const auto result = transport.send({"POST", url, {}, "x", std::chrono::seconds(2), {}});
        ASSERT_FALSE(result.hasValue()) << url;
        EXPECT_FALSE(result.error().empty());
    }
}

TEST(CurlHttpTransport, AStopRequestedBeforehandFailsWithoutConnecting)
{
    LoopbackHttpServer server(LoopbackHttpServer::answer("HTTP/1.1 200 OK", "{}"));
    ASSERT_NE(server.port(), 0);
    std::stop_source stop;
    stop.request_stop();
    const HttpRequest request {"POST", server.url("/"), {}, "x", std::chrono::seconds(5), stop.get_token()};
    const auto result = CurlHttpTransport().send(request);
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error(), "the request was cancelled");
    EXPECT_FALSE(server.waitForRequest(std::chrono::milliseconds(50)));
}

} // namespace
} // namespace tarn
