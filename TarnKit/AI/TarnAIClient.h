#pragma once

// Sends one non-streaming chat request (a system prompt and a user prompt) to the server a
// configuration names and returns the model's answer as text. One call is one POST: nothing is
// retried, logged or kept between calls, so one client may serve any number of threads at once.
//
// complete() blocks for the transfer, at most the time-out: call it from a worker thread. A stop
// requested on its token from any other thread ends the transfer at once with the transport's
// cancellation error.

#include <chrono>
#include <cstddef>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "TarnKit/AI/TarnAICompletionError.h"
#include "TarnKit/AI/TarnAIConfig.h"
#include "TarnKit/Feedback/HttpTransport.h"
#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

class TarnAIClient {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout = std::chrono::seconds(90);
    // The start of an error answer that an httpError carries, in user-perceived characters.
    static constexpr std::size_t kErrorMessageCharacters = 300;

    // The transport must outlive the client.
    explicit TarnAIClient(HttpTransport& transport, std::chrono::milliseconds timeout = kDefaultTimeout);

    // Checks the address, then the key (not for ollamaLocal, which never sends one), then posts
    // {"model", "messages": [system, user]} ("stream": false added for ollamaLocal) and reads the
    // answer from the first of choices[0].message.content, message.content and response that is
    // a string, trimmed of white space and line breaks. The key is sent as "Bearer <key>" exactly
    // as given.
    Result<std::string, TarnAICompletionError> complete(std::string_view systemPrompt, std::string_view userPrompt,
        const TarnAIConfig& config, std::optional<std::string_view> apiKey, std::stop_token cancellation = {}) const;

private:
    HttpTransport* m_transport;
    std::chrono::milliseconds m_timeout;
};

} // namespace tarn
