#include "TarnKit/Foundation/LogRedactor.h"

#include <gtest/gtest.h>

#include "TarnKit/Foundation/TarnAppLogger.h"

namespace tarn {
namespace {

struct RedactionCase {
    const char* input;
    const char* expected;
};

TEST(LogRedactorTest, AppliesTheFourRulesInOrder)
{
    const RedactionCase cases[] = {
        // Bearer: seven characters stay, eight are replaced; the word and its spaces remain.
        {"Authorization: Bearer abcdefg", "Authorization: Bearer abcdefg"},
        {"Authorization: Bearer abcdefgh", "Authorization: Bearer [REDACTED]"},
        {"BEARER   abc.def_gh-ij rest", "BEARER   [REDACTED] rest"},
        // sk- keys need ten characters and a word boundary before the s.
        {"key sk-0123456789 used", "key [REDACTED_KEY] used"},
        {"key sk-012345678 short", "key sk-012345678 short"},
        {"mask-0123456789abc", "mask-0123456789abc"},
        // AIza keys are case-sensitive and need sixteen characters.
        {"g=AIzaSyA1234567890abcdef!", "g=[REDACTED_KEY]!"},
        {"aizaSyA1234567890abcdef", "aizaSyA1234567890abcdef"},
        {"AIza123456789012345", "AIza123456789012345"},
        // Key words in any case, with -, _ or nothing between api and key; the value stops
        // at a comma, semicolon, quote or white space.
        {"API_KEY=abc123, next=1", "API_KEY=[REDACTED], next=1"},
        {"api-key: xyz; b", "api-key: [REDACTED]; b"},
        {"ApiKey = v1 v2", "ApiKey = [REDACTED] v2"},
        {"password:hunter2", "password:[REDACTED]"},
        {"Secret=s3cr3t\tafter", "Secret=[REDACTED]\tafter"},
        // A quoted value is left alone: the value may not start with a quote.
        {"token=\"abc\"", "token=\"abc\""},
        {"token='abc'", "token='abc'"},
        // No word boundary before the key word: access_token is matched too.
        {"access_token=abc.def&x=1", "access_token=[REDACTED]"},
        // Rule 4 also catches what rule 1 left of a short bearer value after "token:".
        {"token: Bearer abc", "token: [REDACTED] abc"},
        {"nothing secret here", "nothing secret here"},
        // Case folding reaches beyond ASCII: the long s folds to s, the Kelvin sign to k.
        {"\u017Fecret=abc", "\u017Fecret=[REDACTED]"},
        {"api\u212Aey: abc", "api\u212Aey: [REDACTED]"},
        {"", ""},
        {"path /dev/input/event3 ünïcödé", "path /dev/input/event3 ünïcödé"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(LogRedactor::redact(testCase.input), testCase.expected) << testCase.input;
        EXPECT_EQ(TarnAppLogger::redactSecrets(testCase.input), testCase.expected) << testCase.input;
    }
}

TEST(LogRedactorTest, InvalidUtf8BecomesReplacementCharacters)
{
    EXPECT_EQ(LogRedactor::redact("Mouse \xFF\xFE token=abc"), "Mouse \xEF\xBF\xBD\xEF\xBF\xBD token=[REDACTED]");
}

} // namespace
} // namespace tarn
