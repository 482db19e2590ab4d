#include "Platform/Fake/Foundation/FakeSystemLanguagePreferences.h"

namespace tarn {

FakeSystemLanguagePreferences::FakeSystemLanguagePreferences(std::vector<std::string> languages)
    : m_languages(std::move(languages))
{
}

std::vector<std::string> FakeSystemLanguagePreferences::preferredLanguages() const
{
    std::lock_guard lock(m_mutex);
    return m_languages;
}

void FakeSystemLanguagePreferences::setPreferredLanguages(std::vector<std::string> languages)
{
    std::lock_guard lock(m_mutex);
    m_languages = std::move(languages);
}

} // namespace tarn
