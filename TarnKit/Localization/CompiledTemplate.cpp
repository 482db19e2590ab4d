#include "TarnKit/Localization/CompiledTemplate.h"

#include <charconv>

#include "TarnKit/Foundation/Text/TextGraphemes.h"

namespace tarn {
namespace {

std::string placeholderMarker(std::int64_t number)
{
    std::string marker = "{";
    marker += std::to_string(number);
    marker += '}';
    return marker;
}

// The first occurrence of `literal` in text[from, end) that starts and ends on character
// boundaries, so that a capture never splits a user-perceived character.
std::size_t findLiteral(const TextGraphemes& text, std::string_view literal, std::size_t from, std::size_t end)
{
    const std::string_view region = text.text().substr(0, end);
    for (std::size_t found = region.find(literal, from); found != std::string_view::npos;
         found = region.find(literal, found + 1)) {
        if (text.isBoundary(found) && text.isBoundary(found + literal.size())) {
            return found;
        }
    }
    return std::string_view::npos;
}

// Replaces each "{n}" of the target with the n-th capture in one pass over the target only,
// so that a capture which itself contains "{1}" is inserted as it stands.
std::string substitute(std::string_view target, const std::vector<std::string_view>& captures)
{
    std::string result;
    result.reserve(target.size() + 16);
    std::size_t position = 0;
    while (position < target.size()) {
        const std::size_t open = target.find('{', position);
        if (open == std::string_view::npos) {
            break;
        }
        result.append(target.substr(position, open - position));
        const std::size_t close = target.find('}', open + 1);
        bool replaced = false;
        if (close != std::string_view::npos && close > open + 1) {
            const std::string_view digits = target.substr(open + 1, close - open - 1);
            const bool canonical = digits.size() == 1 || digits.front() != '0';
            std::size_t number = 0;
            const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
            if (canonical && error == std::errc() && end == digits.data() + digits.size() && number < captures.size()) {
                result.append(captures[number]);
                position = close + 1;
                replaced = true;
            }
        }
        if (!replaced) {
            result += '{';
            position = open + 1;
        }
    }
    result.append(target.substr(std::min(position, target.size())));
    return result;
}

} // namespace

std::optional<CompiledTemplate> CompiledTemplate::compile(std::string_view source, std::string_view target)
{
    CompiledTemplate compiled;
    std::size_t position = 0;
    std::int64_t number = 0;
    while (true) {
        const std::string marker = placeholderMarker(number);
        const std::size_t found = source.find(marker, position);
        if (found == std::string_view::npos) {
            break;
        }
        compiled.sourceLiterals.emplace_back(source.substr(position, found - position));
        position = found + marker.size();
        ++number;
    }
    if (number == 0) {
        return std::nullopt;
    }
    compiled.sourceLiterals.emplace_back(source.substr(position));
    std::int64_t weight = 0;
    for (const auto& literal : compiled.sourceLiterals) {
        weight += static_cast<std::int64_t>(TextGraphemes(literal).count());
    }
    if (weight < 2) {
        return std::nullopt;
    }
    compiled.placeholderCount = number;
    compiled.targetTemplate = std::string(target);
    compiled.literalWeight = weight;
    return compiled;
}

std::optional<std::string> CompiledTemplate::apply(std::string_view text) const
{
    return apply(TextGraphemes(text));
}

std::optional<std::string> CompiledTemplate::apply(const TextGraphemes& graphemes) const
{
    const std::string_view text = graphemes.text();
    if (static_cast<std::int64_t>(graphemes.count()) < literalWeight || sourceLiterals.size() < 2) {
        return std::nullopt;
    }
    const std::string_view first = sourceLiterals.front();
    const std::string_view last = sourceLiterals.back();
    if (!first.empty() && (!text.starts_with(first) || !graphemes.isBoundary(first.size()))) {
        return std::nullopt;
    }
    if (!last.empty() && (!text.ends_with(last) || !graphemes.isBoundary(text.size() - last.size()))) {
        return std::nullopt;
    }
    if (first.size() + last.size() > text.size()) {
        return std::nullopt;
    }
    const std::size_t middleStart = first.size();
    const std::size_t middleEnd = text.size() - last.size();

    std::vector<std::string_view> captures;
    captures.reserve(static_cast<std::size_t>(placeholderCount));
    std::size_t position = middleStart;
    for (std::size_t index = 1; index + 1 < sourceLiterals.size(); ++index) {
        const std::string_view literal = sourceLiterals[index];
        if (literal.empty()) {
            return std::nullopt;
        }
        const std::size_t found = findLiteral(graphemes, literal, position, middleEnd);
        if (found == std::string_view::npos || found == position) {
            return std::nullopt;
        }
        captures.push_back(text.substr(position, found - position));
        position = found + literal.size();
    }
    if (position >= middleEnd) {
        return std::nullopt;
    }
    captures.push_back(text.substr(position, middleEnd - position));
    return substitute(targetTemplate, captures);
}

} // namespace tarn
