#pragma once

// An English source pattern with placeholders ("Saved profile {0}.") compiled into its literal
// pieces, with its translated pattern. Placeholders must appear in increasing order from "{0}";
// a "{1}" before "{0}" stays part of a literal. Weights count user-perceived characters.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

class TextGraphemes;

struct CompiledTemplate {
    // One more than placeholderCount: before "{0}", between placeholders, after the last one.
    std::vector<std::string> sourceLiterals;
    std::int64_t placeholderCount = 0;
    std::string targetTemplate;
    // Total user-perceived characters of all literals; at least 2.
    std::int64_t literalWeight = 0;

    // Fails when the source has no "{0}" or its literals weigh less than 2 characters.
    static std::optional<CompiledTemplate> compile(std::string_view source, std::string_view target);

    // The translation of `text`, or nothing when the text does not fit the pattern. A capture is
    // never empty, and captured text is inserted as it stands: a "{1}" inside a capture is not
    // substituted again.
    std::optional<std::string> apply(std::string_view text) const;
    std::optional<std::string> apply(const TextGraphemes& text) const;
};

} // namespace tarn
