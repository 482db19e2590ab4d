#pragma once

// The system's preferred languages as a test sets them; thread-safe.

#include <mutex>

#include "TarnKit/Localization/SystemLanguagePreferences.h"

namespace tarn {

class FakeSystemLanguagePreferences final : public SystemLanguagePreferences {
public:
    FakeSystemLanguagePreferences() = default;
    explicit FakeSystemLanguagePreferences(std::vector<std::string> languages);

    std::vector<std::string> preferredLanguages() const override;
    void setPreferredLanguages(std::vector<std::string> languages);

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_languages;
};

} // namespace tarn
