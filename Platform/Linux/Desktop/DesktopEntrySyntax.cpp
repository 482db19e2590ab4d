#include "Platform/Linux/Desktop/DesktopEntrySyntax.h"

#include <array>
#include <utility>

namespace tarn::DesktopEntrySyntax {

namespace {

struct Escape {
    char character;
    char letter;
};

// Both directions read this table; \s is special only at the start of a value when writing.
constexpr std::array<Escape, 5> kEscapes {{
    {'\\', '\\'},
    {'\n', 'n'},
    {'\r', 'r'},
    {'\t', 't'},
    {' ', 's'},
}};

// The characters the quoting of an Exec argument escapes with a backslash.
constexpr std::string_view kQuotedEscapes = "\"`$\\";
// Characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\r\"'\\><~|&;$*?#()`";
// Field codes that expand to nothing for a start without files, deprecated ones included.
constexpr std::string_view kDroppedCodes = "fFuUdDnNvm";

char characterOfEscape(char letter)
{
    for (const auto& escape : kEscapes) {
        if (escape.letter == letter) {
            return escape.character;
        }
    }
    return 0;
}

// String escapes only; any other backslash stays for the quoting rules.
std::string unescapedForExec(std::string_view value)
{
    std::string result;
    result.reserve(value.size());
    for (std::size_t index = 0; index < value.size(); ++index) {
        const char character = value[index];
        if (character == '\\' && index + 1 < value.size() && characterOfEscape(value[index + 1]) != 0) {
            result += characterOfEscape(value[++index]);
        } else {
            result += character;
        }
    }
    return result;
}

// The words of a command line with their quoting undone; absent for a broken quote.
std::optional<std::vector<std::string>> splitWords(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char character = text[index];
        if (character == ' ' || character == '\t' || character == '\n') {
            if (inWord) {
                words.push_back(std::exchange(word, {}));
                inWord = false;
            }
            continue;
        }
        inWord = true;
        if (character != '"') {
            word += character;
            continue;
        }
        for (++index;; ++index) {
            if (index == text.size()) {
                return std::nullopt;
            }
            if (text[index] == '"') {
                break;
            }
            if (text[index] == '\\') {
                if (index + 1 == text.size() || kQuotedEscapes.find(text[index + 1]) == std::string_view::npos) {
                    return std::nullopt;
                }
                ++index;
            }
            word += text[index];
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

// Adds the word with its field codes expanded (none, one or two arguments); false for a code
// that is not known here.
bool expandFieldCodes(const std::string& word, const ExecFields& fields, std::vector<std::string>& arguments)
{
    if (word.size() == 2 && word[0] == '%' && kDroppedCodes.find(word[1]) != std::string_view::npos) {
        return true;
    }
    if (word == "%i") {
        if (!fields.icon.empty()) {
            arguments.emplace_back("--icon");
            arguments.push_back(fields.icon);
        }
        return true;
    }
    std::string expanded;
    for (std::size_t index = 0; index < word.size(); ++index) {
        if (word[index] != '%') {
            expanded += word[index];
            continue;
        }
        if (index + 1 == word.size()) {
            return false;
        }
        const char code = word[++index];
        if (code == '%') {
            expanded += '%';
        } else if (code == 'c') {
            expanded += fields.name;
        } else if (code == 'k') {
            expanded += fields.location;
        } else if (kDroppedCodes.find(code) == std::string_view::npos) {
            return false;
        }
    }
    arguments.push_back(std::move(expanded));
    return true;
}

} // namespace

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string escaped(std::string_view text)
{
    std::string value;
    value.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char character = text[index];
        const bool escapedHere = character != ' ' || index == 0;
        char letter = 0;
        for (const auto& escape : kEscapes) {
            if (escape.character == character) {
                letter = escape.letter;
            }
        }
        if (letter != 0 && escapedHere) {
            value += '\\';
            value += letter;
        } else {
            value += character;
        }
    }
    return value;
}

std::string unescaped(std::string_view value)
{
    std::string result;
    result.reserve(value.size());
    for (std::size_t index = 0; index < value.size(); ++index) {
        if (value[index] != '\\' || index + 1 == value.size()) {
            result += value[index];
            continue;
        }
        const char letter = value[++index];
        const char character = characterOfEscape(letter);
        result += character != 0 ? character : letter;
    }
    return result;
}

std::string execValue(std::string_view program)
{
    const bool quoted = program.find_first_of(kReserved) != std::string_view::npos;
    std::string argument = quoted ? "\"" : "";
    for (const char character : program) {
        if (quoted && kQuotedEscapes.find(character) != std::string_view::npos) {
            argument += '\\';
        }
        argument += character;
        if (character == '%') {
            argument += '%';
        }
    }
    if (quoted) {
        argument += '"';
    }
    return escaped(argument);
}

std::optional<std::vector<std::string>> execArguments(std::string_view value, const ExecFields& fields)
{
    const auto words = splitWords(unescapedForExec(value));
    if (!words) {
        return std::nullopt;
    }
    std::vector<std::string> arguments;
    for (const auto& word : *words) {
        if (!expandFieldCodes(word, fields, arguments)) {
            return std::nullopt;
        }
    }
    if (arguments.empty() || arguments.front().empty() || arguments.front().find('=') != std::string::npos) {
        return std::nullopt;
    }
    return arguments;
}

} // namespace tarn::DesktopEntrySyntax
