#pragma once

// Why the AI client gave no answer, where the reason is its own (the transport's and the JSON
// reader's reasons are passed on as they came, see TarnAICompletionError). The description is an
// English/Turkish pair chosen when it is asked for; an HTTP error reads the same in every
// language, since it carries the server's own text.

#include <string>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

class TarnAIClientError {
public:
    enum class Kind {
        httpError,
        invalidEndpoint,
        missingAPIKey,
        emptyResponse,
        // A key with a line break or another control character would end the Authorization
        // header early and let the rest of it be read as headers of its own.
        invalidAPIKey,
    };

    // A status outside 200 to 299, with the start of the server's answer.
    static TarnAIClientError httpError(int statusCode, std::string message)
    {
        return {Kind::httpError, statusCode, std::move(message)};
    }
    static TarnAIClientError invalidEndpoint() { return {Kind::invalidEndpoint, 0, {}}; }
    static TarnAIClientError missingAPIKey() { return {Kind::missingAPIKey, 0, {}}; }
    static TarnAIClientError emptyResponse() { return {Kind::emptyResponse, 0, {}}; }
    static TarnAIClientError invalidAPIKey() { return {Kind::invalidAPIKey, 0, {}}; }

    Kind kind() const { return m_kind; }
    // The status and message of httpError; 0 and empty otherwise.
    int statusCode() const { return m_statusCode; }
    const std::string& message() const { return m_message; }

    // In the current interface language.
    std::string description() const;
    std::string description(TarnLanguage language) const;

    bool operator==(const TarnAIClientError&) const = default;

private:
    TarnAIClientError(Kind kind, int statusCode, std::string message)
        : m_kind(kind)
        , m_statusCode(statusCode)
        , m_message(std::move(message))
    {
    }

    Kind m_kind;
    int m_statusCode;
    std::string m_message;
};

} // namespace tarn
