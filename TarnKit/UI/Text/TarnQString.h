#pragma once

// UTF-8 text of the kit's services as a QString, at the boundary to Qt.

#include <string_view>

#include <QString>

#include "TarnKit/Localization/TarnText.h"

namespace tarn {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A visible text of a widget, chosen for the language by tarnText.
inline QString tarnQText(std::string_view en, std::string_view tr, TarnLanguage language)
{
    return toQString(tarnText(en, tr, language));
}

} // namespace tarn
