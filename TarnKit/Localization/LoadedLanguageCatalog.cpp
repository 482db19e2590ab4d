#include "TarnKit/Localization/LoadedLanguageCatalog.h"

#include <algorithm>

#include "TarnKit/Foundation/Text/TextGraphemes.h"

namespace tarn {
namespace {

using TemplateIndex = StringKeyedMap<std::vector<CompiledTemplate>>;

std::optional<std::string> applyFirst(const TemplateIndex& index, std::string_view indexKey, const TextGraphemes& text)
{
    const auto found = index.find(indexKey);
    if (found == index.end()) {
        return std::nullopt;
    }
    for (const auto& compiled : found->second) {
        if (auto translated = compiled.apply(text)) {
            return translated;
        }
    }
    return std::nullopt;
}

std::optional<std::string> nonEmptyEntry(const StringKeyedMap<std::string>& strings, std::string_view key)
{
    const auto found = strings.find(key);
    if (found == strings.end() || found->second.empty()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace

LoadedLanguageCatalog LoadedLanguageCatalog::build(
    std::map<std::string, std::string> strings, const std::map<std::string, std::string>& templates)
{
    LoadedLanguageCatalog catalog;
    catalog.strings.reserve(strings.size());
    for (auto& [key, value] : strings) {
        catalog.strings.emplace(key, std::move(value));
    }
    for (const auto& [source, target] : templates) {
        if (target.empty()) {
            continue;
        }
        auto compiled = CompiledTemplate::compile(source, target);
        if (!compiled) {
            continue;
        }
        const TextGraphemes first(compiled->sourceLiterals.front());
        const TextGraphemes last(compiled->sourceLiterals.back());
        if (first.count() >= 2) {
            catalog.byPrefix[std::string(first.prefix(3))].push_back(std::move(*compiled));
        } else if (last.count() >= 2) {
            catalog.bySuffix[std::string(last.suffix(3))].push_back(std::move(*compiled));
        }
    }
    for (auto* index : {&catalog.byPrefix, &catalog.bySuffix}) {
        for (auto& [indexKey, list] : *index) {
            std::stable_sort(list.begin(), list.end(), [](const CompiledTemplate& left, const CompiledTemplate& right) {
                return left.literalWeight > right.literalWeight;
            });
        }
    }
    return catalog;
}

std::optional<std::string> LoadedLanguageCatalog::lookup(std::optional<std::string_view> key, std::string_view en) const
{
    if (key) {
        if (auto exact = nonEmptyEntry(strings, *key)) {
            return exact;
        }
    }
    if (auto exact = nonEmptyEntry(strings, en)) {
        return exact;
    }
    if (byPrefix.empty() && bySuffix.empty()) {
        return std::nullopt;
    }
    const TextGraphemes text(en);
    if (text.count() < 3) {
        // One or two characters are only ever translated by an exact entry.
        return std::nullopt;
    }
    if (!byPrefix.empty()) {
        if (auto translated = applyFirst(byPrefix, text.prefix(3), text)) {
            return translated;
        }
        if (auto translated = applyFirst(byPrefix, text.prefix(2), text)) {
            return translated;
        }
    }
    if (!bySuffix.empty()) {
        if (auto translated = applyFirst(bySuffix, text.suffix(3), text)) {
            return translated;
        }
        if (auto translated = applyFirst(bySuffix, text.suffix(2), text)) {
            return translated;
        }
    }
    return std::nullopt;
}

} // namespace tarn
