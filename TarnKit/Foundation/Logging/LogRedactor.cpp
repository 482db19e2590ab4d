#include "TarnKit/Foundation/Logging/LogRedactor.h"

#include <algorithm>
#include <array>
#include <optional>

#include <unicode/uchar.h>

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

constexpr std::u32string_view kRedacted = U"[REDACTED]";
constexpr std::u32string_view kRedactedKey = U"[REDACTED_KEY]";

// A bearer credential shorter than this is taken for an ordinary word.
constexpr std::size_t kShortestBearerCredential = 8;
// Characters after "sk-" and "AIza" that make a key.
constexpr std::size_t kShortestSkKeyBody = 10;
constexpr std::size_t kShortestGoogleKeyBody = 16;

// Schemes of an Authorization header whose name stays readable; after any other first word the
// whole value is redacted, as it may be a bare credential.
constexpr std::array<std::u32string_view, 8> kAuthorizationSchemes {
    U"basic", U"bearer", U"digest", U"dpop", U"negotiate", U"ntlm", U"oauth", U"token"};

// The key words after which a value is redacted ("api" joins "key" with "_", "-" or nothing).
constexpr std::array<std::u32string_view, 3> kValueKeyWords {U"token", U"secret", U"password"};

bool isAsciiLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

bool isAsciiDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

bool isAsciiAlphanumeric(char32_t c)
{
    return isAsciiLetter(c) || isAsciiDigit(c);
}

// The White_Space property: what a regular expression's \s matches.
bool isSpace(char32_t c)
{
    if (c < 0x80) {
        return c == U' ' || (c >= U'\t' && c <= U'\r');
    }
    return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_WHITE_SPACE) != 0;
}

bool isLineBreak(char32_t c)
{
    return c == U'\n' || c == U'\r' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// A header's value stays on its line.
bool isInlineSpace(char32_t c)
{
    return isSpace(c) && !isLineBreak(c);
}

// What a regular expression's \w matches, for word boundaries.
bool isWordCharacter(char32_t c)
{
    if (c < 0x80) {
        return isAsciiAlphanumeric(c) || c == U'_';
    }
    const auto scalar = static_cast<UChar32>(c);
    return u_hasBinaryProperty(scalar, UCHAR_ALPHABETIC) != 0
        || (U_GET_GC_MASK(scalar) & (U_GC_M_MASK | U_GC_ND_MASK | U_GC_PC_MASK)) != 0 || c == 0x200C || c == 0x200D;
}

// Simple case folding, so that the key words match in any case (and the Kelvin sign is a k).
char32_t folded(char32_t c)
{
    if (c < 0x80) {
        return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
    }
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

// A value after "=" or ":" runs up to white space, a comma, a semicolon or a quote.
bool isValueCharacter(char32_t c)
{
    return !isSpace(c) && c != U',' && c != U';' && c != U'"' && c != U'\'';
}

bool isBearerCredentialCharacter(char32_t foldedCharacter)
{
    return isAsciiAlphanumeric(foldedCharacter) || foldedCharacter == U'.' || foldedCharacter == U'_'
        || foldedCharacter == U'-';
}

bool isKeyCharacter(char32_t c)
{
    return isAsciiAlphanumeric(c) || c == U'_' || c == U'-';
}

bool isSchemeCharacter(char32_t c)
{
    return isAsciiAlphanumeric(c) || c == U'+' || c == U'.' || c == U'-';
}

bool endsAddressUserPart(char32_t c)
{
    return c == U'/' || c == U'?' || c == U'#';
}

// Whether any form could apply. For ASCII text every form needs one of these words, compared
// without regard to ASCII case; most messages hold none and are returned as they are. Text with
// other characters always goes through the scan: case folding matches some of them to ASCII
// letters (the Kelvin sign to k, the long s to s).
bool mightHoldSecret(std::string_view text)
{
    std::string lower;
    lower.reserve(text.size());
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
        lower.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    for (const std::string_view word :
        {"bearer", "sk-", "aiza", "key", "token", "secret", "password", "://", "authorization", "cookie"}) {
        if (lower.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// One left-to-right pass. Each form below looks only at the text from where it starts; what it
// replaces is skipped, and what it only looked at is looked at again by nothing but the few
// forms that start there, so every character is read a bounded number of times.
class Scan {
public:
    explicit Scan(std::u32string text)
        : m_text(std::move(text))
    {
        m_folded.reserve(m_text.size());
        for (const char32_t c : m_text) {
            m_folded.push_back(folded(c));
        }
        m_out.reserve(m_text.size());
    }

    std::u32string run()
    {
        std::size_t at = 0;
        while (at < m_text.size()) {
            if (const auto next = redactAt(at)) {
                at = *next;
            } else {
                m_out.push_back(m_text[at]);
                ++at;
            }
        }
        return std::move(m_out);
    }

private:
    // Where the scan goes on when a form was replaced at `at`; nothing when none applies there.
    std::optional<std::size_t> redactAt(std::size_t at)
    {
        switch (m_folded[at]) {
        case U'a':
            if (auto end = authorizationHeader(at)) {
                return end;
            }
            if (auto end = keyValue(at)) {
                return end;
            }
            return prefixedKey(at, U"AIza", kShortestGoogleKeyBody);
        case U'b':
            return bearerCredential(at);
        case U'c':
            return cookieHeader(at);
        case U's':
            if (auto end = keyValue(at)) {
                return end;
            }
            return prefixedKey(at, U"sk-", kShortestSkKeyBody);
        case U'p':
        case U't':
            return keyValue(at);
        case U':':
            return addressCredentials(at);
        default:
            return std::nullopt;
        }
    }

    // Keeps the text from `keep` up to `secret`, writes `replacement` for the text up to `end`,
    // and returns `end`.
    std::size_t replace(std::size_t keep, std::size_t secret, std::size_t end, std::u32string_view replacement)
    {
        m_out.append(m_text, keep, secret - keep);
        m_out.append(replacement);
        return end;
    }

    // Whether the word (lower-case ASCII) stands at `at`, in any case.
    bool matches(std::size_t at, std::u32string_view word) const
    {
        return m_folded.size() - at >= word.size() && std::u32string_view(m_folded).substr(at, word.size()) == word;
    }

    std::size_t skip(std::size_t at, bool (*predicate)(char32_t)) const
    {
        while (at < m_text.size() && predicate(m_text[at])) {
            ++at;
        }
        return at;
    }

    std::size_t skipUntil(std::size_t at, bool (*predicate)(char32_t)) const
    {
        while (at < m_text.size() && !predicate(m_text[at])) {
            ++at;
        }
        return at;
    }

    bool wordBoundaryBefore(std::size_t at) const { return at == 0 || !isWordCharacter(m_text[at - 1]); }

    // After a key word: space, the separator (one of `separators`) and space; the position
    // after them.
    std::optional<std::size_t> separator(
        std::size_t at, std::u32string_view separators, bool (*space)(char32_t) = isSpace) const
    {
        at = skip(at, space);
        if (at >= m_text.size() || separators.find(m_text[at]) == std::u32string_view::npos) {
            return std::nullopt;
        }
        return skip(at + 1, space);
    }

    // "Authorization:" and its value.
    std::optional<std::size_t> authorizationHeader(std::size_t at)
    {
        constexpr std::u32string_view kName = U"authorization";
        if (!matches(at, kName)) {
            return std::nullopt;
        }
        const auto value = separator(at + kName.size(), U":", isInlineSpace);
        if (!value) {
            return std::nullopt;
        }
        if (const auto end = schemeCredentials(at, *value)) {
            return end;
        }
        // No scheme named: the value may be a bare credential, or one of a scheme not known here.
        const std::size_t end = skipUntil(*value, isLineBreak);
        return end > *value ? std::optional(replace(at, *value, end, kRedacted)) : std::nullopt;
    }

    // A known scheme, white space and its credentials at `value`: the scheme stays. A list of
    // parameters (Digest's username="…", response="…") or a quoted value runs to the end of the
    // line; a single credential (Basic, Bearer, Token) to white space, a comma or a semicolon.
    std::optional<std::size_t> schemeCredentials(std::size_t keep, std::size_t value)
    {
        const std::size_t schemeEnd = skip(value, isSchemeCharacter);
        const std::u32string_view scheme = std::u32string_view(m_folded).substr(value, schemeEnd - value);
        if (std::find(kAuthorizationSchemes.begin(), kAuthorizationSchemes.end(), scheme)
            == kAuthorizationSchemes.end()) {
            return std::nullopt;
        }
        const std::size_t credentials = skip(schemeEnd, isInlineSpace);
        if (credentials == schemeEnd || credentials == m_text.size() || isLineBreak(m_text[credentials])) {
            return std::nullopt;
        }
        const bool runsToLineEnd = !isValueCharacter(m_text[credentials]) || isParameterList(credentials);
        const std::size_t end
            = runsToLineEnd ? skipUntil(credentials, isLineBreak) : skip(credentials, isValueCharacter);
        return replace(keep, credentials, end, kRedacted);
    }

    // name=value, as opposed to a credential that ends in "=" padding.
    bool isParameterList(std::size_t at) const
    {
        const std::size_t equals = skip(at, isKeyCharacter);
        return equals > at && equals + 1 < m_text.size() && m_text[equals] == U'=' && m_text[equals + 1] != U'='
            && !isSpace(m_text[equals + 1]) && m_text[equals + 1] != U',';
    }

    // "Cookie:" or "Set-Cookie:": every value up to the end of the line.
    std::optional<std::size_t> cookieHeader(std::size_t at)
    {
        constexpr std::u32string_view kName = U"cookie";
        if (!matches(at, kName)) {
            return std::nullopt;
        }
        const auto value = separator(at + kName.size(), U":", isInlineSpace);
        if (!value) {
            return std::nullopt;
        }
        const std::size_t end = skipUntil(*value, isLineBreak);
        return end > *value ? std::optional(replace(at, *value, end, kRedacted)) : std::nullopt;
    }

    // The length of a key word at `at` (api key, api_key, api-key, token, secret, password).
    std::optional<std::size_t> keyWordLength(std::size_t at) const
    {
        if (matches(at, U"api")) {
            const std::size_t joiner
                = at + 3 < m_folded.size() && (m_folded[at + 3] == U'_' || m_folded[at + 3] == U'-');
            if (matches(at + 3 + joiner, U"key")) {
                return 6 + joiner;
            }
        }
        for (const auto word : kValueKeyWords) {
            if (matches(at, word)) {
                return word.size();
            }
        }
        return std::nullopt;
    }

    // A key word, "=" or ":", and a value that does not start with a quote. No word boundary is
    // asked for before the key word, so access_token is one too.
    std::optional<std::size_t> keyValue(std::size_t at)
    {
        const auto length = keyWordLength(at);
        if (!length) {
            return std::nullopt;
        }
        const auto value = separator(at + *length, U"=:");
        if (!value) {
            return std::nullopt;
        }
        if (const auto end = schemeCredentials(at, *value)) {
            return end;
        }
        const std::size_t end = skip(*value, isValueCharacter);
        return end > *value ? std::optional(replace(at, *value, end, kRedacted)) : std::nullopt;
    }

    // "Bearer", white space and a credential of letters, digits, dots, underscores and hyphens.
    std::optional<std::size_t> bearerCredential(std::size_t at)
    {
        constexpr std::u32string_view kWord = U"bearer";
        if (!matches(at, kWord)) {
            return std::nullopt;
        }
        const std::size_t credential = skip(at + kWord.size(), isSpace);
        if (credential == at + kWord.size()) {
            return std::nullopt;
        }
        std::size_t end = credential;
        while (end < m_folded.size() && isBearerCredentialCharacter(m_folded[end])) {
            ++end;
        }
        if (end - credential < kShortestBearerCredential) {
            return std::nullopt;
        }
        return replace(at, credential, end, kRedacted);
    }

    // A word that starts with `prefix` (exactly so) followed by at least `shortestBody` letters,
    // digits, underscores or hyphens. The whole word is replaced.
    std::optional<std::size_t> prefixedKey(std::size_t at, std::u32string_view prefix, std::size_t shortestBody)
    {
        if (m_text.size() - at < prefix.size() || std::u32string_view(m_text).substr(at, prefix.size()) != prefix
            || !wordBoundaryBefore(at)) {
            return std::nullopt;
        }
        const std::size_t body = at + prefix.size();
        const std::size_t end = skip(body, isKeyCharacter);
        if (end - body < shortestBody) {
            return std::nullopt;
        }
        return replace(at, at, end, kRedactedKey);
    }

    // Whether the "://" at `at` follows a scheme: a letter at a word boundary, then letters,
    // digits, "+", "." or "-". The scheme is only looked at, never replaced.
    bool followsScheme(std::size_t at) const
    {
        std::size_t start = at;
        while (start > 0 && isSchemeCharacter(m_text[start - 1])) {
            --start;
        }
        for (std::size_t letter = start; letter < at; ++letter) {
            if (isAsciiLetter(m_text[letter]) && wordBoundaryBefore(letter)) {
                return true;
            }
        }
        return false;
    }

    // The last "@" in [from, end), if any.
    std::optional<std::size_t> lastAtSign(std::size_t from, std::size_t end) const
    {
        for (std::size_t at = end; at > from; --at) {
            if (m_text[at - 1] == U'@') {
                return at - 1;
            }
        }
        return std::nullopt;
    }

    // The user and password of an address, up to the last "@" before the path: a password may
    // hold an unescaped "@", and one typed by hand a space. A space counts only after a ":" that
    // is not a port ("host:8080 and ada@example.org" is no password).
    std::optional<std::size_t> addressCredentials(std::size_t at)
    {
        if (m_text.size() - at < 3 || m_text[at + 1] != U'/' || m_text[at + 2] != U'/' || !followsScheme(at)) {
            return std::nullopt;
        }
        const std::size_t user = at + 3;
        const std::size_t end = skipUntil(user, [](char32_t c) { return isSpace(c) || endsAddressUserPart(c); });
        auto atSign = lastAtSign(user, end);
        if (!atSign && end < m_text.size() && !isLineBreak(m_text[end]) && hasPasswordBefore(user, end)) {
            const std::size_t wider
                = skipUntil(end, [](char32_t c) { return isLineBreak(c) || endsAddressUserPart(c); });
            atSign = lastAtSign(end, wider);
            if (atSign && (*atSign + 1 == m_text.size() || isSpace(m_text[*atSign + 1]))) {
                atSign.reset();
            }
        }
        if (!atSign || *atSign == user) {
            return std::nullopt;
        }
        m_out.append(U"://");
        return replace(user, user, *atSign, kRedacted);
    }

    // A ":" in [from, end) followed by something other than a port number.
    bool hasPasswordBefore(std::size_t from, std::size_t end) const
    {
        const auto colon = std::u32string_view(m_text).substr(from, end - from).find(U':');
        if (colon == std::u32string_view::npos) {
            return false;
        }
        for (std::size_t at = from + colon + 1; at < end; ++at) {
            if (!isAsciiDigit(m_text[at])) {
                return true;
            }
        }
        return false;
    }

    const std::u32string m_text;
    std::u32string m_folded;
    std::u32string m_out;
};

} // namespace

std::string LogRedactor::redact(std::string_view text)
{
    if (!mightHoldSecret(text)) {
        return std::string(text);
    }
    // Each invalid sequence is read as U+FFFD, so the result is always valid UTF-8.
    return UnicodeText::fromScalars(Scan(UnicodeText::toScalars(text)).run());
}

} // namespace tarn
