#pragma once

// The name a language list shows for a language: its native name with the English one, as the
// kit's `displayName` gives it, when an installed font can draw the native script; otherwise the
// English name alone, so the list never shows boxes nor makes Qt complain about fonts it lacks.

#include <QFontDatabase>
#include <QString>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

class TarnLanguageNames {
public:
    TarnLanguageNames() = delete;

    static QString shownName(TarnLanguage language);
    // The script the language's native name is written in.
    static QFontDatabase::WritingSystem writingSystem(TarnLanguage language);
};

} // namespace tarn
