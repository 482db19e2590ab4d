#include "TarnKit/AI/TarnAIClient.h"

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeHttpTransport.h"
#include "TarnKit/AI/tests/ScopedCurrentLanguage.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

using nlohmann::json;
using Completion = Result<std::string, TarnAICompletionError>;
using Headers = std::vector<std::pair<std::string, std::string>>;

// What one call sent and how it ended, against a transport with a scripted answer ("ok" unless
// told otherwise).
struct Call {
    Call() { transport.answer(200, R"({"response":"ok"})"); }

    FakeHttpTransport transport;

    Completion complete(const TarnAIConfig& config, std::optional<std::string_view> key)
    {
        return TarnAIClient(transport).complete("You are terse.", "Hello", config, key);
    }
    Completion answeredWith(int status, std::string body)
    {
        transport.answer(status, std::move(body));
        return complete(TarnAIConfig(TarnAIProvider::openAI), "sk-1");
    }
};

std::string describe(const Completion& result)
{
    if (result.hasValue()) {
        return "answer \"" + result.value() + "\"";
    }
    return std::visit(
        [](const auto& error) -> std::string {
            using Error = std::decay_t<decltype(error)>;
            if constexpr (std::is_same_v<Error, TarnAIClientError>) {
                return "client error \"" + error.description(TarnLanguage::en) + "\"";
            } else if constexpr (std::is_same_v<Error, TarnAITransportError>) {
                return "transport error \"" + error.description + "\"";
            } else {
                return "reply parse error \"" + error.description + "\"";
            }
        },
        result.error());
}

TEST(TarnAIClient, ChecksTheAddressFirstThenTheKeyAndSendsNothingWhenEitherFails)
{
    const std::string defaultOpenAI(defaultEndpoint(TarnAIProvider::openAI));
    struct Case {
        TarnAIProvider provider;
        std::string endpoint;
        std::optional<std::string_view> key;
        std::optional<TarnAIClientError> expected; // none: the request is sent
    };
    const Case cases[] {
        {TarnAIProvider::openAI, "not a url", std::nullopt, TarnAIClientError::invalidEndpoint()},
        {TarnAIProvider::harrowfenCredits, "", "", TarnAIClientError::invalidEndpoint()},
        {TarnAIProvider::openAI, "https://api.example/v1 chat", "sk-1", TarnAIClientError::invalidEndpoint()},
        {TarnAIProvider::openAI, "https://api.example/v1\r\nX: y", "sk-1", TarnAIClientError::invalidEndpoint()},
        {TarnAIProvider::openAI, "https://", "sk-1", TarnAIClientError::invalidEndpoint()},
        {TarnAIProvider::openAI, "/v1/chat/completions", "sk-1", TarnAIClientError::invalidEndpoint()},
        // Only http and https: libcurl would read a local file for the first.
        {TarnAIProvider::ollamaLocal, "file:///etc/passwd", std::nullopt, TarnAIClientError::invalidEndpoint()},
        {TarnAIProvider::ollamaLocal, "ftp://127.0.0.1/api/chat", std::nullopt, TarnAIClientError::invalidEndpoint()},
        {TarnAIProvider::openAI, defaultOpenAI, std::nullopt, TarnAIClientError::missingAPIKey()},
        {TarnAIProvider::harrowfenCredits, defaultOpenAI, "", TarnAIClientError::missingAPIKey()},
        {TarnAIProvider::openAI, defaultOpenAI, " \t\n\u00a0 ", TarnAIClientError::missingAPIKey()},
        // A line break or another control character would smuggle headers of its own.
        {TarnAIProvider::openAI, defaultOpenAI, "sk-1\r\nX-Injected: 1", TarnAIClientError::invalidAPIKey()},
        {TarnAIProvider::harrowfenCredits, defaultOpenAI, "token\n", TarnAIClientError::invalidAPIKey()},
        {TarnAIProvider::openAI, defaultOpenAI, std::string_view("sk\0-1", 5), TarnAIClientError::invalidAPIKey()},
        {TarnAIProvider::openAI, defaultOpenAI, "sk-1\x7f", TarnAIClientError::invalidAPIKey()},
        {TarnAIProvider::openAI, defaultOpenAI, "\tsk-1", TarnAIClientError::invalidAPIKey()},
        {TarnAIProvider::openAI, "HTTPS://api.example/v1", " sk-1 ", std::nullopt},
        {TarnAIProvider::openAI, "http://[::1]:8080/v1", "sk-ünicode", std::nullopt},
        // The local server's key is never looked at.
        {TarnAIProvider::ollamaLocal, std::string(defaultEndpoint(TarnAIProvider::ollamaLocal)), std::nullopt,
            std::nullopt},
        {TarnAIProvider::ollamaLocal, "http://127.0.0.1:11434/api/chat", "bad\r\nkey", std::nullopt},
    };
    for (const Case& c : cases) {
        Call call;
        const Completion result = call.complete(TarnAIConfig(c.provider, c.endpoint), c.key);
        const std::string label
            = std::string(rawValue(c.provider)) + " " + c.endpoint + " key " + std::string(c.key.value_or("(none)"));
        if (c.expected) {
            ASSERT_FALSE(result.hasValue()) << label;
            EXPECT_EQ(result.error(), TarnAICompletionError(*c.expected)) << label << ": " << describe(result);
            EXPECT_TRUE(call.transport.requests().empty()) << label;
        } else {
            EXPECT_EQ(describe(result), "answer \"ok\"") << label;
            EXPECT_EQ(call.transport.requests().size(), 1U) << label;
        }
    }
}

TEST(TarnAIClient, HeadersAndBodyFollowTheProvider)
{
    const json messages = json::array({
        {{"role", "system"}, {"content", "You are terse."}},
        {{"role", "user"}, {"content", "Hello"}},
    });
    struct Case {
        TarnAIProvider provider;
        std::optional<std::string_view> key;
        Headers headers;
        json body;
    };
    const Case cases[] {
        {TarnAIProvider::ollamaLocal, "sk-ignored", {{"Content-Type", "application/json"}},
            {{"model", "llama3.2"}, {"messages", messages}, {"stream", false}}},
        {TarnAIProvider::ollamaLocal, std::nullopt, {{"Content-Type", "application/json"}},
            {{"model", "llama3.2"}, {"messages", messages}, {"stream", false}}},
        // The key goes out exactly as given, blanks and all.
        {TarnAIProvider::openAI, "  sk-1 ", {{"Content-Type", "application/json"}, {"Authorization", "Bearer   sk-1 "}},
            {{"model", "gpt-4o-mini"}, {"messages", messages}}},
        {TarnAIProvider::harrowfenCredits, "hf-token",
            {{"Content-Type", "application/json"}, {"Authorization", "Bearer hf-token"}},
            {{"model", "harrowfen-doc-fast"}, {"messages", messages}}},
    };
    for (const Case& c : cases) {
        Call call;
        const TarnAIConfig config(c.provider);
        ASSERT_TRUE(call.complete(config, c.key).hasValue()) << rawValue(c.provider);
        ASSERT_EQ(call.transport.requests().size(), 1U);
        const HttpRequest& request = call.transport.requests()[0];
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.url, config.endpointURL);
        EXPECT_EQ(request.timeout, std::chrono::seconds(90));
        EXPECT_EQ(request.headers, c.headers) << rawValue(c.provider);
        EXPECT_EQ(json::parse(request.body), c.body) << request.body;
        // Compact: no pretty printing.
        EXPECT_EQ(nlohmann::ordered_json::parse(request.body).dump(), request.body);
    }
}

TEST(TarnAIClient, PromptsAndModelTravelAsJsonTextWhateverTheyHold)
{
    Call call;
    const TarnAIConfig config(TarnAIProvider::openAI, std::nullopt, "m\"1");
    ASSERT_TRUE(TarnAIClient(call.transport)
                    .complete("line one\nline \"two\"", std::string_view("nul\0 and \xff", 10), config, "k")
                    .hasValue());
    const json body = json::parse(call.transport.requests()[0].body);
    EXPECT_EQ(body["model"], "m\"1");
    EXPECT_EQ(body["messages"][0]["content"], "line one\nline \"two\"");
    // Bytes that are not UTF-8 go out as U+FFFD rather than failing the request.
    EXPECT_EQ(body["messages"][1]["content"], std::string("nul\0 and \xef\xbf\xbd", 12));
}

TEST(TarnAIClient, TheTimeOutIsAParameterAndTheCancellationReachesTheTransport)
{
    Call call;
    std::stop_source stop;
    ASSERT_TRUE(TarnAIClient(call.transport, std::chrono::milliseconds(250))
                    .complete("s", "u", TarnAIConfig(TarnAIProvider::ollamaLocal), std::nullopt, stop.get_token())
                    .hasValue());
    const HttpRequest& request = call.transport.requests().at(0);
    EXPECT_EQ(request.timeout, std::chrono::milliseconds(250));
    EXPECT_FALSE(request.cancellation.stop_requested());
    stop.request_stop();
    EXPECT_TRUE(request.cancellation.stop_requested());
}

TEST(TarnAIClient, ATransportFailureIsPassedOnUnchanged)
{
    Call call;
    call.transport.failWith("the request was cancelled");
    const Completion result = call.complete(TarnAIConfig(TarnAIProvider::openAI), "sk-1");
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error(), TarnAICompletionError(TarnAITransportError {"the request was cancelled"}));
    EXPECT_EQ(call.transport.requests().size(), 1U);
}

TEST(TarnAIClient, ReadsTheFirstReplyShapeThatHoldsAString)
{
    struct Case {
        int status;
        std::string body;
        std::string expected;
    };
    const std::string empty = "client error \"Provider returned an empty response.\"";
    const Case cases[] {
        {200, R"({"choices":[{"message":{"content":"  Hi there \n"}}]})", "answer \"Hi there\""},
        {201, R"({"choices":[{"message":{"content":"a"}}],"message":{"content":"b"},"response":"c"})", "answer \"a\""},
        {299, R"({"choices":[],"message":{"content":"from message"}})", "answer \"from message\""},
        {200, R"({"choices":[{"message":{"content":42}}],"response":"from response"})", "answer \"from response\""},
        {200, R"({"choices":[{"message":{"content":"first"}},7],"response":"r"})", "answer \"r\""},
        {200, R"({"choices":{"message":{"content":"x"}},"message":{"content":null},"response":"r"})", "answer \"r\""},
        {200, R"({"choices":[{"message":"flat"}],"message":["content"],"response":"r"})", "answer \"r\""},
        {200, R"({"message":{"content":"\n\t"},"response":"r"})", "answer \"\""},
        {200, R"({"response":" \n "})", "answer \"\""},
        {200, R"({"response":null})", empty},
        {200, R"({"response":["a"]})", empty},
        {200, R"({})", empty},
        {200, R"([{"response":"x"}])", empty},
        // Not an HTTP answer at all.
        {0, R"({"response":"x"})", empty},
        {200, "not json", "reply parse error \"not valid JSON\""},
        {200, R"("just text")", "reply parse error \"the answer is not a JSON array or object\""},
        {200, "42", "reply parse error \"the answer is not a JSON array or object\""},
        {204, "", "reply parse error \"not valid JSON\""},
        {200, R"({"response":"x")", "reply parse error \"not valid JSON\""},
        // A reply nested past the reader's bound is refused, never recursed into.
        {200, std::string(100'000, '['), "reply parse error \"JSON nested deeper than 32 levels\""},
        {302, "", "client error \"HTTP 302: \""},
        {500, R"({"error":"boom"})", "client error \"HTTP 500: {\"error\":\"boom\"}\""},
        {101, "switching", "client error \"HTTP 101: switching\""},
        // A body that is not UTF-8 counts as empty text.
        {404, "bad \xff\xfe body", "client error \"HTTP 404: \""},
    };
    for (const Case& c : cases) {
        Call call;
        EXPECT_EQ(describe(call.answeredWith(c.status, c.body)), c.expected) << c.status << " " << c.body.substr(0, 80);
    }
}

TEST(TarnAIClient, AnErrorBodyIsCutAt300WholeCharacters)
{
    struct Case {
        std::string unit; // one user-perceived character
        std::size_t repeats;
    };
    const Case cases[] {
        {"x", 400},
        {"ş", 400}, // two bytes each: the cut must not fall inside one
        {"e\u0301", 301}, // a letter and a combining accent make one character
        {"👩‍💻", 350},
        {"é", 120},
    };
    for (const Case& c : cases) {
        std::string body;
        for (std::size_t i = 0; i < c.repeats; ++i) {
            body += c.unit;
        }
        Call call;
        const Completion result = call.answeredWith(429, body);
        ASSERT_FALSE(result.hasValue());
        const auto& error = std::get<TarnAIClientError>(result.error());
        EXPECT_EQ(error.kind(), TarnAIClientError::Kind::httpError);
        EXPECT_EQ(error.statusCode(), 429);
        EXPECT_TRUE(UnicodeText::isValidUtf8(error.message())) << c.unit;
        EXPECT_EQ(UnicodeText::graphemeCount(error.message()), std::min<std::size_t>(c.repeats, 300)) << c.unit;
        EXPECT_TRUE(body.starts_with(error.message())) << c.unit;
    }
}

// Control characters of an error body once reached the error text, and with it any terminal or
// log that shows it.
TEST(TarnAIClient, AnErrorBodyLosesItsControlCharacters)
{
    const struct {
        std::string body;
        std::string message;
    } cases[] {
        {"Bad\x1b[31m Gateway\x07\x1b]0;pwned\x07", "Bad[31m Gateway]0;pwned"},
        {"<html>\r\n<body>\n\tOverloaded\r\n</body>", "<html> <body> Overloaded </body>"},
        {"next\u0085line\u009b2J\x7f", "nextline2J"},
        {std::string("nul\0byte", 8), "nulbyte"},
        {"Çok fazla istek — \x1b[5mbekleyin", "Çok fazla istek — [5mbekleyin"},
    };
    for (const auto& c : cases) {
        Call call;
        const Completion result = call.answeredWith(503, c.body);
        ASSERT_FALSE(result.hasValue());
        EXPECT_EQ(std::get<TarnAIClientError>(result.error()), TarnAIClientError::httpError(503, c.message))
            << c.message;
    }
}

TEST(TarnAIClientError, DescriptionsInEnglishAndTurkish)
{
    const std::string longMessage(300, 'x');
    struct Case {
        TarnAIClientError error;
        std::string en;
        std::string tr;
    };
    const Case cases[] {
        {TarnAIClientError::httpError(429, longMessage), "HTTP 429: " + longMessage, "HTTP 429: " + longMessage},
        {TarnAIClientError::httpError(503, ""), "HTTP 503: ", "HTTP 503: "},
        {TarnAIClientError::invalidEndpoint(), "Invalid AI endpoint URL.", "Geçersiz AI uç noktası adresi."},
        {TarnAIClientError::missingAPIKey(), "API key or Harrowfen credit token is required for this provider.",
            "Bu sağlayıcı için API anahtarı veya Harrowfen kredi jetonu gereklidir."},
        {TarnAIClientError::emptyResponse(), "Provider returned an empty response.", "Sağlayıcı boş yanıt döndürdü."},
        {TarnAIClientError::invalidAPIKey(),
            "API key or Harrowfen credit token contains characters that cannot be sent.",
            "API anahtarı veya Harrowfen kredi jetonu gönderilemeyen karakterler içeriyor."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.error.description(TarnLanguage::en), c.en);
        EXPECT_EQ(c.error.description(TarnLanguage::tr), c.tr);
        const ScopedCurrentLanguage turkish(TarnLanguage::tr);
        EXPECT_EQ(c.error.description(), c.tr);
    }
}

} // namespace
} // namespace tarn
