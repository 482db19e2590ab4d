#include "TarnKit/UI/Pickers/TarnLanguageNames.h"

#include <QStringList>

#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn {

QFontDatabase::WritingSystem TarnLanguageNames::writingSystem(TarnLanguage language)
{
    switch (language) {
    case TarnLanguage::ar:
    case TarnLanguage::fa:
        return QFontDatabase::Arabic;
    case TarnLanguage::he:
        return QFontDatabase::Hebrew;
    case TarnLanguage::hi:
        return QFontDatabase::Devanagari;
    case TarnLanguage::th:
        return QFontDatabase::Thai;
    case TarnLanguage::el:
        return QFontDatabase::Greek;
    case TarnLanguage::bg:
    case TarnLanguage::ru:
    case TarnLanguage::uk:
        return QFontDatabase::Cyrillic;
    case TarnLanguage::ja:
        return QFontDatabase::Japanese;
    case TarnLanguage::ko:
        return QFontDatabase::Korean;
    case TarnLanguage::zhHans:
        return QFontDatabase::SimplifiedChinese;
    case TarnLanguage::zhHant:
        return QFontDatabase::TraditionalChinese;
    default:
        return QFontDatabase::Latin;
    }
}

QString TarnLanguageNames::shownName(TarnLanguage language)
{
    if (QFontDatabase::families(writingSystem(language)).isEmpty()) {
        return toQString(englishName(language));
    }
    return QString::fromStdString(displayName(language));
}

} // namespace tarn
