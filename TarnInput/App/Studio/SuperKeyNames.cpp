#include "TarnInput/App/Studio/SuperKeyNames.h"

#include <cstring>

namespace tarn::input {

QString SuperKeyNames::translate(
    const char* context, const char* sourceText, const char* /*disambiguation*/, int /*n*/) const
{
    if (context != nullptr && sourceText != nullptr && std::strcmp(context, "QShortcut") == 0
        && std::strcmp(sourceText, "Meta") == 0) {
        return QStringLiteral("Super");
    }
    // Empty: Qt keeps looking, and falls back to the source text.
    return {};
}

} // namespace tarn::input
