#pragma once

// Why a feedback report was not accepted. The description is an English/Turkish pair chosen when
// it is asked for, so an error reads in the language in force when it is shown; a server's own
// message is passed through untranslated.

#include <string>
#include <variant>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

class TarnFeedbackError {
public:
    enum class Kind {
        tooManyScreenshots,
        screenshotTooLarge,
        serverRejected,
        networkFailure,
        invalidEndpoint,
        invalidEmail,
        messageTooShort,
    };

    static TarnFeedbackError tooManyScreenshots(int max) { return {Kind::tooManyScreenshots, max, {}, {}}; }
    static TarnFeedbackError screenshotTooLarge(int maxMB) { return {Kind::screenshotTooLarge, maxMB, {}, {}}; }
    static TarnFeedbackError serverRejected(std::string text) { return {Kind::serverRejected, 0, std::move(text), {}}; }
    // `host` is the host that was contacted, named in the description.
    static TarnFeedbackError networkFailure(std::string detail, std::string host)
    {
        return {Kind::networkFailure, 0, std::move(detail), std::move(host)};
    }
    static TarnFeedbackError invalidEndpoint() { return {Kind::invalidEndpoint, 0, {}, {}}; }
    static TarnFeedbackError invalidEmail() { return {Kind::invalidEmail, 0, {}, {}}; }
    static TarnFeedbackError messageTooShort() { return {Kind::messageTooShort, 0, {}, {}}; }

    Kind kind() const { return m_kind; }
    // The limit of tooManyScreenshots and screenshotTooLarge.
    int limit() const { return m_limit; }
    // The server's text, or the network failure's detail.
    const std::string& text() const { return m_text; }
    const std::string& host() const { return m_host; }

    // In the current interface language.
    std::string description() const;
    std::string description(TarnLanguage language) const;

    bool operator==(const TarnFeedbackError&) const = default;

private:
    TarnFeedbackError(Kind kind, int limit, std::string text, std::string host)
        : m_kind(kind)
        , m_limit(limit)
        , m_text(std::move(text))
        , m_host(std::move(host))
    {
    }

    Kind m_kind;
    int m_limit;
    std::string m_text;
    std::string m_host;
};

} // namespace tarn
