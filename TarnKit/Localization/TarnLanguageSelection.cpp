#include "TarnKit/Localization/TarnLanguageSelection.h"

#include <string_view>

#include "TarnKit/Localization/TarnLanguageSettings.h"

namespace tarn {

TarnLanguage TarnLanguageSelection::resolvedLanguage(const TarnLanguageSettings& settings) const
{
    return m_kind == Kind::explicitLanguage ? m_language : settings.systemResolved();
}

std::size_t TarnLanguageSelection::hash() const
{
    // The discriminator first, then the carried language's code.
    std::size_t seed = std::hash<std::uint8_t> {}(static_cast<std::uint8_t>(m_kind));
    if (m_kind == Kind::explicitLanguage) {
        seed
            ^= std::hash<std::string_view> {}(rawValue(m_language)) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    }
    return seed;
}

} // namespace tarn
