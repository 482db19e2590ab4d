#include "Platform/Linux/CurlHttpTransport.h"

#include <thread>

#include <gtest/gtest.h>

#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/UniqueFd.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarn {
namespace {

// A one-shot HTTP server on 127.0.0.1: accepts one connection, reads one request, writes the
// given answer and stops. Every wait is bounded, so a client that never comes cannot hang a test.
class LoopbackServer {
public:
    explicit LoopbackServer(std::string answer)
        : m_answer(std::move(answer))
    {
        m_listener = UniqueFd::adopt(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (!m_listener || ::bind(m_listener.get(), reinterpret_cast<sockaddr*>(&address), length) != 0
            || ::listen(m_listener.get(), 1) != 0
            || ::getsockname(m_listener.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serveOnce(); });
    }
    ~LoopbackServer()
    {
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }

    int port() const { return m_port; }
    // What the client sent; complete once the client has its answer.
    std::string request()
    {
        if (m_thread.joinable()) {
            m_thread.join();
        }
        return m_request;
    }

private:
    static bool waitReadable(int fd)
    {
        pollfd entry {fd, POLLIN, 0};
        return ::poll(&entry, 1, 10'000) == 1;
    }

    void serveOnce()
    {
        if (!waitReadable(m_listener.get())) {
            return;
        }
        const UniqueFd client = UniqueFd::adopt(::accept4(m_listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!client) {
            return;
        }
        std::size_t expected = std::string::npos;
        char buffer[65536];
        while (m_request.size() < expected && m_request.size() < 64 * 1024 * 1024 && waitReadable(client.get())) {
            const ssize_t got = ::read(client.get(), buffer, sizeof(buffer));
            if (got <= 0) {
                break;
            }
            m_request.append(buffer, static_cast<std::size_t>(got));
            const auto headerEnd = m_request.find("\r\n\r\n");
            if (expected == std::string::npos && headerEnd != std::string::npos) {
                const auto lengthAt = m_request.find("Content-Length: ");
                const std::size_t bodyLength = lengthAt < headerEnd ? std::stoul(m_request.substr(lengthAt + 16)) : 0;
                expected = headerEnd + 4 + bodyLength;
            }
        }
        std::size_t written = 0;
        while (written < m_answer.size()) {
            const ssize_t sent
                = ::send(client.get(), m_answer.data() + written, m_answer.size() - written, MSG_NOSIGNAL);
            if (sent <= 0) {
                break;
            }
            written += static_cast<std::size_t>(sent);
        }
    }

    std::string m_answer;
    UniqueFd m_listener;
    int m_port = 0;
    std::string m_request;
    std::thread m_thread;
};

std::string answer(std::string_view statusLine, std::string_view body, std::string_view extraHeaders = "")
{
    return std::string(statusLine) + "\r\nContent-Type: application/json\r\n" + std::string(extraHeaders)
        + "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + std::string(body);
}

TEST(CurlHttpTransport, SubmitsFeedbackToALoopbackServer)
{
    LoopbackServer server(answer("HTTP/1.1 201 Created", R"({"reference_code":"FB-42","attachments_count":1})"));
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
    LoopbackServer server(answer("HTTP/1.1 302 Found", "", "Location: http://127.0.0.1:9/elsewhere\r\n"));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = transport.send(
        {"POST", "http://127.0.0.1:" + std::to_string(server.port()) + "/api", {}, "x", std::chrono::seconds(5)});
    ASSERT_TRUE(result.hasValue()) << result.error();
    EXPECT_EQ(result.value().status, 302);
}

TEST(CurlHttpTransport, AnOverlongAnswerFailsTheRequest)
{
    LoopbackServer server(answer("HTTP/1.1 200 OK", std::string(CurlHttpTransport::kMaxResponseBytes + 1, 'x')));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = transport.send(
        {"GET", "http://127.0.0.1:" + std::to_string(server.port()) + "/", {}, "", std::chrono::seconds(5)});
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error(), "the answer was too large");
}

TEST(CurlHttpTransport, SpeaksOnlyHttpAndHttps)
{
    CurlHttpTransport transport;
    for (const std::string url : {"file:///etc/hostname", "ftp://127.0.0.1/", "gopher://127.0.0.1/"}) {
        const auto result = transport.send({"POST", url, {}, "x", std::chrono::seconds(2)});
        ASSERT_FALSE(result.hasValue()) << url;
        EXPECT_FALSE(result.error().empty());
    }
}

} // namespace
} // namespace tarn
