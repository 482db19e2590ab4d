#pragma once

// UTF-8 text of the kit's services as a QString, at the boundary to Qt.

#include <string_view>

#include <QString>

namespace tarn {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace tarn
