#pragma once

// Makes a language the program's interface language while it lives, through a defaults store of
// its own, and leaves the shared language settings unconfigured again afterwards.

#include <memory>

#include "Platform/Fake/Foundation/FakeDefaultsStore.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"

namespace tarn {

class ScopedCurrentLanguage {
public:
    explicit ScopedCurrentLanguage(TarnLanguage language)
    {
        TarnLanguageSettings::shared().configure(std::make_shared<FakeDefaultsStore>(), nullptr);
        TarnLanguageSettings::shared().setCurrent(language);
    }
    ScopedCurrentLanguage(const ScopedCurrentLanguage&) = delete;
    ScopedCurrentLanguage& operator=(const ScopedCurrentLanguage&) = delete;
    ~ScopedCurrentLanguage() { TarnLanguageSettings::shared().configure(nullptr, nullptr); }
};

} // namespace tarn
