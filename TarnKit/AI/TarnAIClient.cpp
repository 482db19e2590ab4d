#include "TarnKit/AI/TarnAIClient.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "TarnKit/Feedback/HttpUrl.h"
#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

using nlohmann::json;

bool isControlCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

std::optional<TarnAIClientError> keyProblem(std::optional<std::string_view> apiKey)
{
    if (!apiKey || UnicodeText::trimmed(*apiKey).empty()) {
        return TarnAIClientError::missingAPIKey();
    }
    if (std::ranges::any_of(*apiKey, isControlCharacter)) {
        return TarnAIClientError::invalidAPIKey();
    }
    return std::nullopt;
}

std::string requestBody(
    std::string_view systemPrompt, std::string_view userPrompt, const TarnAIConfig& config, bool local)
{
    nlohmann::ordered_json body = nlohmann::ordered_json::object();
    body["model"] = config.model;
    body["messages"] = nlohmann::ordered_json::array({
        {{"role", "system"}, {"content", systemPrompt}},
        {{"role", "user"}, {"content", userPrompt}},
    });
    if (local) {
        // A local model server streams its answer line by line unless told not to.
        body["stream"] = false;
    }
    // Text that is not UTF-8 goes out with U+FFFD in place of each bad sequence instead of
    // failing the request.
    return StrictJson::dump(body);
}

// `object[key]` when it is a string; a value of any other type counts as missing.
const std::string* stringMember(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get_ptr<const std::string*>() : nullptr;
}

// `object[key]` when it is an object.
const json* objectMember(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_object() ? &*found : nullptr;
}

// The chat-completions shape: "choices" is a non-empty array of objects whose first one has a
// "message" object with a string "content".
const std::string* choicesContent(const json& reply)
{
    const auto choices = reply.find("choices");
    if (choices == reply.end() || !choices->is_array() || choices->empty()
        || !std::ranges::all_of(*choices, [](const json& choice) { return choice.is_object(); })) {
        return nullptr;
    }
    const json* message = objectMember(choices->front(), "message");
    return message != nullptr ? stringMember(*message, "content") : nullptr;
}

// The answer text of the first reply shape that fits: chat completions, a single message, then
// a plain "response" field.
const std::string* answerContent(const json& reply)
{
    if (const std::string* content = choicesContent(reply)) {
        return content;
    }
    if (const json* message = objectMember(reply, "message")) {
        if (const std::string* content = stringMember(*message, "content")) {
            return content;
        }
    }
    return stringMember(reply, "response");
}

// The server's text as an error message may show it: each run of line breaks and tabs becomes one
// space, and every other control character (C0, DEL, C1) goes, so that an error body can neither
// drive a terminal that prints it nor forge lines in a log.
std::string withoutControlCharacters(std::string_view text)
{
    std::u32string kept;
    for (const char32_t scalar : UnicodeText::toScalars(text)) {
        const bool control = scalar < 0x20 || (scalar >= 0x7F && scalar <= 0x9F);
        if (!control) {
            kept.push_back(scalar);
        } else if (scalar >= U'\t' && scalar <= U'\r' && (kept.empty() || kept.back() != U' ')) {
            kept.push_back(U' ');
        }
    }
    return UnicodeText::fromScalars(kept);
}

Result<std::string, TarnAICompletionError> answerText(const HttpResponse& response)
{
    if (response.status < 100 || response.status > 599) {
        return fail(TarnAIClientError::emptyResponse());
    }
    if (response.status < 200 || response.status > 299) {
        // Cut at whole characters, so the message never ends inside a character.
        std::string message = UnicodeText::isValidUtf8(response.body) ? withoutControlCharacters(
                                  UnicodeText::graphemePrefix(response.body, TarnAIClient::kErrorMessageCharacters))
                                                                      : std::string();
        return fail(TarnAIClientError::httpError(response.status, std::move(message)));
    }
    auto parsed = StrictJson::parseWithReason(response.body);
    if (!parsed) {
        return fail(TarnAIReplyParseError {parsed.error()});
    }
    const json& reply = parsed.value();
    if (!reply.is_object() && !reply.is_array()) {
        // A bare string or number is no JSON document to a reader that takes only arrays and
        // objects at the top level.
        return fail(TarnAIReplyParseError {"the answer is not a JSON array or object"});
    }
    if (!reply.is_object()) {
        return fail(TarnAIClientError::emptyResponse());
    }
    const std::string* content = answerContent(reply);
    if (content == nullptr) {
        return fail(TarnAIClientError::emptyResponse());
    }
    return UnicodeText::trimmed(*content);
}

} // namespace

TarnAIClient::TarnAIClient(HttpTransport& transport, std::chrono::milliseconds timeout)
    : m_transport(&transport)
    , m_timeout(timeout)
{
}

Result<std::string, TarnAICompletionError> TarnAIClient::complete(std::string_view systemPrompt,
    std::string_view userPrompt, const TarnAIConfig& config, std::optional<std::string_view> apiKey,
    std::stop_token cancellation) const
{
    // The address comes first: a bad one is reported even when the key is missing too.
    if (!HttpUrl::host(config.endpointURL)) {
        return fail(TarnAIClientError::invalidEndpoint());
    }
    const bool local = config.provider == TarnAIProvider::ollamaLocal;
    if (!local) {
        if (auto problem = keyProblem(apiKey)) {
            return fail(std::move(*problem));
        }
    }

    HttpRequest request;
    request.method = "POST";
    request.url = config.endpointURL;
    request.timeout = m_timeout;
    request.cancellation = std::move(cancellation);
    request.headers.emplace_back("Content-Type", "application/json");
    if (!local) {
        request.headers.emplace_back("Authorization", "Bearer " + std::string(*apiKey));
    }
    request.body = requestBody(systemPrompt, userPrompt, config, local);

    auto answer = m_transport->send(request);
    if (!answer) {
        return fail(TarnAITransportError {answer.error()});
    }
    return answerText(answer.value());
}

} // namespace tarn
