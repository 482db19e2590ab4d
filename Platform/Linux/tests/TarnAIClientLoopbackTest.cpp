#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "Platform/Linux/Services/CurlHttpTransport.h"
#include "Platform/Linux/tests/LoopbackHttpServer.h"
#include "TarnKit/AI/TarnAIClient.h"

namespace tarn {
namespace {

using std::chrono::milliseconds;
using Completion = Result<std::string, TarnAICompletionError>;

constexpr milliseconds kBoundedWait {5000};

TarnAIConfig openAIAt(const LoopbackHttpServer& server)
{
    return TarnAIConfig(TarnAIProvider::openAI, server.url("/v1/chat/completions"));
}

TEST(TarnAIClientOverCurl, SendsOneRequestAndReadsTheAnswer)
{
    LoopbackHttpServer server(
        LoopbackHttpServer::answer("HTTP/1.1 200 OK", R"({"choices":[{"message":{"content":" Merhaba \n"}}]})"));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = TarnAIClient(transport).complete("Be brief.", "Selam", openAIAt(server), " sk-1 ");
    ASSERT_TRUE(result.hasValue());
    EXPECT_EQ(result.value(), "Merhaba");

    const std::string request = server.request();
    EXPECT_TRUE(request.starts_with("POST /v1/chat/completions HTTP/1.1\r\n")) << request.substr(0, 80);
    EXPECT_NE(request.find("\r\nAuthorization: Bearer  sk-1 \r\n"), std::string::npos) << request;
    EXPECT_NE(request.find("\r\nContent-Type: application/json\r\n"), std::string::npos) << request;
    EXPECT_TRUE(request.ends_with(
        R"({"model":"gpt-4o-mini","messages":[{"role":"system","content":"Be brief."},{"role":"user","content":"Selam"}]})"))
        << request;
    EXPECT_FALSE(server.hasWaitingConnection());
}

TEST(TarnAIClientOverCurl, ARedirectIsAnErrorAndIsNotFollowed)
{
    // The key must not travel to wherever the answer points.
    LoopbackHttpServer server(LoopbackHttpServer::answer(
        "HTTP/1.1 307 Temporary Redirect", "moved", "Location: http://127.0.0.1:9/v1/chat/completions\r\n"));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = TarnAIClient(transport).complete("s", "u", openAIAt(server), "sk-1");
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(std::get<TarnAIClientError>(result.error()), TarnAIClientError::httpError(307, "moved"));
    EXPECT_FALSE(server.hasWaitingConnection());
}

TEST(TarnAIClientOverCurl, AServerThatNeverAnswersEndsInTheTimeOut)
{
    LoopbackHttpServer server(std::nullopt);
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const milliseconds timeout {300};
    const auto start = std::chrono::steady_clock::now();
    const auto result = TarnAIClient(transport, timeout).complete("s", "u", openAIAt(server), "sk-1");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_FALSE(result.hasValue());
    const auto* failure = std::get_if<TarnAITransportError>(&result.error());
    ASSERT_NE(failure, nullptr);
    EXPECT_NE(failure->description.find("timed out"), std::string::npos) << failure->description;
    // curl counts the time-out on its own clock, which may end it a hair before ours says so.
    EXPECT_GT(elapsed, timeout / 2);
    EXPECT_LT(elapsed, kBoundedWait);
    EXPECT_TRUE(server.waitForRequest(milliseconds(0)));
}

TEST(TarnAIClientOverCurl, CancellingFromAnotherThreadEndsTheRequestWithin100ms)
{
    LoopbackHttpServer server(std::nullopt);
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const TarnAIClient client(transport);
    std::promise<Completion> finished;
    auto completion = finished.get_future();
    // The thread's own stop token: leaving the test early stops the request too.
    std::jthread caller([&](std::stop_token cancellation) {
        finished.set_value(client.complete("s", "u", openAIAt(server), "sk-1", std::move(cancellation)));
    });
    // The request is on the wire and the client is waiting for the answer.
    ASSERT_TRUE(server.waitForRequest(kBoundedWait));

    const auto asked = std::chrono::steady_clock::now();
    caller.request_stop();
    ASSERT_EQ(completion.wait_for(kBoundedWait), std::future_status::ready);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, milliseconds(100));
    const Completion result = completion.get();
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error(), TarnAICompletionError(TarnAITransportError {"the request was cancelled"}));
}

// A 500 whose body passed the transport's limit was reported as "the answer was too large": the
// status, the one thing the caller needed, was lost.
TEST(TarnAIClientOverCurl, AnErrorAnswerLargerThanTheLimitKeepsItsStatus)
{
    const std::string body = "upstream failed: " + std::string(2 * 1024 * 1024, 'x');
    LoopbackHttpServer server(LoopbackHttpServer::answer("HTTP/1.1 500 Internal Server Error", body));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = TarnAIClient(transport).complete("s", "u", openAIAt(server), "sk-1");
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error(),
        TarnAICompletionError(
            TarnAIClientError::httpError(500, body.substr(0, TarnAIClient::kErrorMessageCharacters))));
}

TEST(TarnAIClientOverCurl, ASuccessfulAnswerLargerThanTheLimitIsRefused)
{
    const std::string body = R"({"response":")" + std::string(2 * 1024 * 1024, 'x') + R"("})";
    LoopbackHttpServer server(LoopbackHttpServer::answer("HTTP/1.1 200 OK", body));
    ASSERT_NE(server.port(), 0);
    CurlHttpTransport transport;
    const auto result = TarnAIClient(transport).complete("s", "u", openAIAt(server), "sk-1");
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error(), TarnAICompletionError(TarnAITransportError {"the answer was too large"}));
}

// A header line of a megabyte was reported as libcurl's "Out of memory".
TEST(TarnAIClientOverCurl, AnOverlongHeaderSaysSoAndKeepsTheStatus)
{
    for (const char* statusLine : {"HTTP/1.1 500 Internal Server Error", "HTTP/1.1 200 OK"}) {
        LoopbackHttpServer server(LoopbackHttpServer::answer(
            statusLine, R"({"response":"ok"})", "X-Padding: " + std::string(1024 * 1024, 'a') + "\r\n"));
        ASSERT_NE(server.port(), 0);
        CurlHttpTransport transport;
        const auto result = TarnAIClient(transport).complete("s", "u", openAIAt(server), "sk-1");
        ASSERT_FALSE(result.hasValue());
        const auto* failure = std::get_if<TarnAITransportError>(&result.error());
        ASSERT_NE(failure, nullptr) << statusLine;
        const std::string status = std::string(statusLine).substr(9, 3);
        EXPECT_EQ(failure->description, "the answer's headers were too large (HTTP " + status + ")") << statusLine;
    }
}

} // namespace
} // namespace tarn
