#pragma once

// The user's preferred interface languages as the desktop reports them, most preferred first,
// as language tags ("de-AT", "sr-Latn", "en"). The list may be empty.

#include <string>
#include <vector>

namespace tarn {

class SystemLanguagePreferences {
public:
    virtual ~SystemLanguagePreferences() = default;

    virtual std::vector<std::string> preferredLanguages() const = 0;
};

} // namespace tarn
