#pragma once

// What a language picker shows as chosen: following the system, or one explicit language.

#include <cstddef>
#include <functional>
#include <optional>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

class TarnLanguageSettings;

class TarnLanguageSelection {
public:
    enum class Kind : std::uint8_t { system = 0, explicitLanguage = 1 };

    static constexpr TarnLanguageSelection system() { return TarnLanguageSelection(Kind::system, TarnLanguage::en); }
    static constexpr TarnLanguageSelection explicitLanguage(TarnLanguage language)
    {
        return TarnLanguageSelection(Kind::explicitLanguage, language);
    }

    constexpr Kind kind() const { return m_kind; }
    constexpr bool isSystem() const { return m_kind == Kind::system; }
    // The carried language; absent for `system`.
    constexpr std::optional<TarnLanguage> language() const
    {
        return m_kind == Kind::explicitLanguage ? std::optional<TarnLanguage>(m_language) : std::nullopt;
    }
    // The carried language, or the system-resolved one of `settings` for `system`.
    TarnLanguage resolvedLanguage(const TarnLanguageSettings& settings) const;

    constexpr bool operator==(const TarnLanguageSelection& other) const
    {
        return m_kind == other.m_kind && (m_kind == Kind::system || m_language == other.m_language);
    }

    std::size_t hash() const;

private:
    constexpr TarnLanguageSelection(Kind kind, TarnLanguage language)
        : m_kind(kind)
        , m_language(language)
    {
    }

    Kind m_kind;
    TarnLanguage m_language; // meaningful only for explicitLanguage
};

} // namespace tarn

template <> struct std::hash<tarn::TarnLanguageSelection> {
    std::size_t operator()(const tarn::TarnLanguageSelection& selection) const noexcept { return selection.hash(); }
};
