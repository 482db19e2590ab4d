#pragma once

// Every visible text is written at its call site as an English/Turkish pair and chosen here for
// the given language: English as is, Turkish when given (else English), any other language from
// its pack, then its parent's pack, then English. Custom overrides win for every language.
// Called on every redraw: for English and Turkish it allocates only the returned string.

#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

// Same as TarnLocalizationStore::shared().resolve(key, en, tr, language).
std::string tarnText(
    std::string_view en, std::string_view tr, std::optional<std::string_view> key, TarnLanguage language);
// Without a catalog key: the English text is the lookup key.
std::string tarnText(std::string_view en, std::string_view tr, TarnLanguage language);

} // namespace tarn
