#pragma once

// One language's merged translations: exact strings, and compiled templates indexed by the first
// 2 or 3 characters of their first literal (else the last 2 or 3 of their last literal), so that
// a lookup only tries the few templates whose fixed text can match, heaviest first.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "TarnKit/Localization/CompiledTemplate.h"

namespace tarn {

// Lets maps keyed by std::string be searched with a std::string_view without a copy.
struct TransparentStringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view> {}(text); }
};

template <typename Value>
using StringKeyedMap = std::unordered_map<std::string, Value, TransparentStringHash, std::equal_to<>>;

struct LoadedLanguageCatalog {
    StringKeyedMap<std::string> strings;
    StringKeyedMap<std::vector<CompiledTemplate>> byPrefix;
    StringKeyedMap<std::vector<CompiledTemplate>> bySuffix;

    static LoadedLanguageCatalog empty() { return {}; }
    // Compiles the templates with a non-empty target; those that do not compile, or whose
    // literals are too short to index, are dropped.
    static LoadedLanguageCatalog build(
        std::map<std::string, std::string> strings, const std::map<std::string, std::string>& templates);

    bool isEmpty() const { return strings.empty() && byPrefix.empty() && bySuffix.empty(); }

    // An exact entry for `key`, then for `en`, then the first template that applies to `en`.
    std::optional<std::string> lookup(std::optional<std::string_view> key, std::string_view en) const;
};

} // namespace tarn
