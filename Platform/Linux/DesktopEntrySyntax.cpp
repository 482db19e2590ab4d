#include "Platform/Linux/DesktopEntrySyntax.h"

#include <array>

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
        char character = letter;
        for (const auto& escape : kEscapes) {
            if (escape.letter == letter) {
                character = escape.character;
            }
        }
        result += character;
    }
    return result;
}

} // namespace tarn::DesktopEntrySyntax
